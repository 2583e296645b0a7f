#include "password/VTPasswordDispIds.h"
#include "password/VTPasswordTypeLibrary.h"
#include "tests/password/ControlFixture.h"

namespace Id = VTPasswordDispId;
using Changes = std::vector<DispId>;

using VTPasswordProperties = ControlFixture;

TEST_F(VTPasswordProperties, WritesStoreUnchangedValuesBeforeNotifying)
{
    Variant seenDuringNotification;
    site->onChanged = [&](DispId id) { seenDuringNotification = get(id); };

    EXPECT_EQ(put(Id::MinLength, Variant::int32(10)), S_OK);
    EXPECT_EQ(seenDuringNotification, Variant::int32(10));
    EXPECT_EQ(put(Id::MaxLength, Variant::int32(5)), S_OK);   // no cross-check with MinLength
    EXPECT_EQ(put(Id::Size, Variant::int32(7)), S_OK);        // no range check
    EXPECT_EQ(put(Id::UseImages, Variant::boolean(5)), S_OK); // no normalisation
    EXPECT_EQ(put(Id::CaptionOK, Variant(u"&Go")), S_OK);
    EXPECT_EQ(seenDuringNotification, Variant(u"&Go"));

    EXPECT_EQ(get(Id::MinLength), Variant::int32(10));
    EXPECT_EQ(get(Id::MaxLength), Variant::int32(5));
    EXPECT_EQ(get(Id::Size), Variant::int32(7));
    EXPECT_EQ(get(Id::UseImages), Variant::boolean(5));
    EXPECT_EQ(site->changes,
              (Changes{Id::MinLength, Id::MaxLength, Id::Size, Id::UseImages, Id::CaptionOK}));
}

TEST_F(VTPasswordProperties, AFailingNotificationIsTheWritesErrorButTheValueIsStored)
{
    site->changeResult = E_FAIL;
    EXPECT_EQ(put(Id::DialogTitleGetPassword, Variant(u"Who?")), E_FAIL);
    EXPECT_EQ(get(Id::DialogTitleGetPassword), Variant(u"Who?"));
    // The password writes never fail towards the caller.
    EXPECT_EQ(put(Id::Password, Variant(u"pw")), S_OK);
    EXPECT_EQ(put(Id::DBPassword, Variant(u"db")), S_OK);
    EXPECT_EQ(get(Id::Password), Variant(u"db"));
}

TEST_F(VTPasswordProperties, PasswordWriteWithBindingAllowedOrRefused)
{
    EXPECT_EQ(put(Id::Password, Variant(u"first")), S_OK);
    EXPECT_EQ(site->changes, (Changes{Id::DBPassword, Id::Password, Id::Password}));
    EXPECT_EQ(site->editRequests, (Changes{Id::DBPassword}));

    site->changes.clear();
    site->allowEdit = false;
    EXPECT_EQ(put(Id::Password, Variant(u"second")), S_OK);
    EXPECT_EQ(site->changes, (Changes{Id::Password}));
    EXPECT_EQ(get(Id::Password), Variant(u"second"));
    EXPECT_EQ(get(Id::DBPassword), Variant(u"second"));
}

TEST_F(VTPasswordProperties, DBPasswordWriteRefusedByBindingChangesNothing)
{
    put(Id::Password, Variant(u"kept"));
    site->changes.clear();
    site->allowEdit = false;
    EXPECT_EQ(put(Id::DBPassword, Variant(u"new")), S_OK);
    EXPECT_TRUE(site->changes.empty());
    EXPECT_EQ(get(Id::Password), Variant(u"kept"));

    site->allowEdit = true;
    EXPECT_EQ(put(Id::DBPassword, Variant(u"new")), S_OK);
    EXPECT_EQ(site->changes, (Changes{Id::DBPassword, Id::Password}));
    EXPECT_EQ(get(Id::Password), Variant(u"new"));
}

TEST_F(VTPasswordProperties, NestedWritesOfTheSamePasswordPropertyAreIgnored)
{
    // A container that writes Password again while being told about Password.
    int nested = 0;
    site->onChanged = [&](DispId id) {
        if (id == Id::Password && nested++ == 0) {
            EXPECT_EQ(put(Id::Password, Variant(u"echo")), S_OK);
        }
    };
    put(Id::Password, Variant(u"typed"));
    EXPECT_EQ(get(Id::Password), Variant(u"typed"));
    EXPECT_EQ(site->changes, (Changes{Id::DBPassword, Id::Password, Id::Password}));

    // While DBPassword's own write notifies, a DBPassword write is ignored too.
    site->changes.clear();
    nested = 0;
    site->onChanged = [&](DispId id) {
        if (id == Id::DBPassword && nested++ == 0)
            put(Id::DBPassword, Variant(u"echo"));
    };
    put(Id::DBPassword, Variant(u"bound"));
    EXPECT_EQ(get(Id::Password), Variant(u"bound"));
    EXPECT_EQ(site->changes, (Changes{Id::DBPassword, Id::Password}));
}

TEST_F(VTPasswordProperties, ANestedWriteOfTheOtherPasswordPropertyRuns)
{
    // At the last "Password" notification of a Password write, DBPassword's guard is clear.
    int passwordNotices = 0;
    site->onChanged = [&](DispId id) {
        if (id == Id::Password && ++passwordNotices == 2)
            put(Id::DBPassword, Variant(u"from container"));
    };
    put(Id::Password, Variant(u"typed"));
    EXPECT_EQ(get(Id::Password), Variant(u"from container"));
    EXPECT_EQ(site->changes,
              (Changes{Id::DBPassword, Id::Password, Id::Password, Id::DBPassword, Id::Password}));
}

TEST_F(VTPasswordProperties, RunTimeOnlyFlagsAreRefusedWhileTheFormIsDesigned)
{
    site->userMode = VFalse;
    for (DispId id : {Id::Validated, Id::Cancelled}) {
        const HRESULT hr = put(id, Variant::boolean(VTrue));
        EXPECT_EQ(controlErrorNumber(hr), 382);
        EXPECT_EQ(get(id), Variant::boolean(VFalse));
    }
    EXPECT_TRUE(site->changes.empty());

    site->userMode = VTrue;
    EXPECT_EQ(put(Id::Validated, Variant::boolean(VTrue)), S_OK);
    EXPECT_EQ(put(Id::Cancelled, Variant::boolean(VTrue)), S_OK);
    EXPECT_EQ(get(Id::Validated), Variant::boolean(VTrue));
    EXPECT_EQ(site->changes, (Changes{Id::Validated, Id::Cancelled}));
}

TEST_F(VTPasswordProperties, ByReferenceWritesTakeTheCallersVariableOrAConvertedValue)
{
    std::int32_t length = 12;
    EXPECT_EQ(put(Id::MinLength, Variant::int32Ref(&length)), S_OK);
    EXPECT_EQ(get(Id::MinLength), Variant::int32(12));
    EXPECT_EQ(length, 12);
    QString caption = "&Abort";
    EXPECT_EQ(put(Id::CaptionCancel, Variant::stringRef(&caption)), S_OK);
    EXPECT_EQ(get(Id::CaptionCancel), Variant(u"&Abort"));
    EXPECT_EQ(put(Id::MaxLength, Variant(u"20")), S_OK);
    EXPECT_EQ(get(Id::MaxLength), Variant::int32(20));

    // A reference of the wrong type, or text that is no number, is refused and changes nothing.
    EXPECT_EQ(put(Id::MaxLength, Variant::stringRef(&caption)), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(put(Id::MaxLength, Variant(u"twenty")), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(put(Id::CaseSensitive, Variant(u"perhaps")), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(get(Id::MaxLength), Variant::int32(20));
}

TEST_F(VTPasswordProperties, DispatchByNameIdAndKind)
{
    put(Id::Password, Variant(u"secret"));
    std::vector<Variant> none;
    Variant result;
    // The default member, read the way a caller reads "the control's value".
    EXPECT_EQ(control->Invoke(DISPID_VALUE, DISPATCH_METHOD | DISPATCH_PROPERTYGET, none, &result),
              S_OK);
    EXPECT_EQ(result, Variant(u"secret"));

    std::vector<DispId> ids;
    EXPECT_EQ(control->GetIDsOfNames({"password", "CAPTIONCANCEL", "About"}, &ids), S_OK);
    EXPECT_EQ(ids, (std::vector<DispId>{0, Id::CaptionCancel, DISPID_ABOUTBOX}));
    EXPECT_EQ(control->GetIDsOfNames({"Size", "Colour"}, &ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids, (std::vector<DispId>{Id::Size, DISPID_UNKNOWN}));

    std::vector<Variant> two{Variant::int32(1), Variant::int32(2)};
    EXPECT_EQ(control->Invoke(Id::Size, DISPATCH_PROPERTYPUT, two, nullptr), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(control->Invoke(Id::Size, DISPATCH_PROPERTYPUT, none, nullptr), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(control->Invoke(0x12345, DISPATCH_PROPERTYGET, none, &result), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(control->Invoke(Id::GetPassword, DISPATCH_PROPERTYPUT, two, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST_F(VTPasswordProperties, EarlierInterfaceIdsGiveTheCurrentInterface)
{
    for (const IID &iid :
         {VTPasswordIds::defaultInterfaceV0, VTPasswordIds::defaultInterfaceV1,
          VTPasswordIds::defaultInterfaceV2, VTPasswordIds::defaultInterface, IDispatch::iid}) {
        void *answer = nullptr;
        ASSERT_EQ(control->QueryInterface(iid, &answer), S_OK) << iid.toString().toStdString();
        EXPECT_EQ(answer, static_cast<void *>(control.get()));
        control->Release();
    }
    // The event interface is implemented by whoever listens, not by the control; its earlier
    // identifiers are described as the current one.
    void *none = reinterpret_cast<void *>(1);
    EXPECT_EQ(control->QueryInterface(VTPasswordIds::eventInterfaceV1, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    const TypeLibraryDesc &library = vtPasswordTypeLibrary();
    EXPECT_EQ(library.findInterface(VTPasswordIds::eventInterfaceV0)->name, "__VTPassword");
    EXPECT_EQ(library.findInterface(VTPasswordIds::defaultInterfaceV2)->name, "_VTPassword");
    EXPECT_EQ(library.findInterface(Guid{}), nullptr);
}
