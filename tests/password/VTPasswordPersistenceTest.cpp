#include "password/IVTPassword.h"
#include "password/VTPasswordDispIds.h"
#include "password/VTPasswordTypeLibrary.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ComObject.h"
#include "platform/com/FormContainer.h"
#include "platform/com/PersistPropertyBag.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace Id = VTPasswordDispId;

namespace {

// A bag that records each call and fails the write or read of one chosen name.
struct RecordingBag final : ComObject<IPropertyBag> {
    QStringList written, read;
    std::vector<Variant> writeDefaults;
    QString failWriteOf, failReadOf;
    PropertyValues saved;

    HRESULT Read(const QString &name, Variant *value, const Variant &defaultValue) override
    {
        read << name;
        if (name == failReadOf)
            return E_FAIL;
        for (const auto &[savedName, savedValue] : saved)
            if (savedName == name) {
                *value = savedValue;
                return S_OK;
            }
        *value = defaultValue;
        return S_OK;
    }
    HRESULT Write(const QString &name, const Variant &, const Variant &defaultValue) override
    {
        if (name == failWriteOf)
            return E_ACCESSDENIED_FOR_TEST;
        written << name;
        writeDefaults.push_back(defaultValue);
        return S_OK;
    }
    void *findInterface(const IID &iid) override
    {
        return iid == IPropertyBag::iid ? static_cast<IPropertyBag *>(this) : nullptr;
    }
    static constexpr HRESULT E_ACCESSDENIED_FOR_TEST = makeHResult(0x80070005);
};

const QStringList savedNames{"Size",
                             "ActiveButtons",
                             "UseImages",
                             "Password",
                             "Cancelled",
                             "Validated",
                             "MinLength",
                             "MaxLength",
                             "DialogTitleGetPassword",
                             "DialogTitleCreatePassword",
                             "DialogTitleChangePassword",
                             "CaseSensitive",
                             "DBPassword",
                             "CaptionChangeOldPwd",
                             "CaptionChangeNewPwd",
                             "CaptionChangeCfmPwd",
                             "CaptionCreateEntPwd",
                             "CaptionCreateCfmPwd",
                             "CaptionGetPassword",
                             "CaptionOK",
                             "CaptionCreateCancel"};

class VTPasswordPersistence : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()),
                  S_OK);
    }

    ComPtr<IVTPassword> control(FormContainer &container, const QString &name)
    {
        return queryInterface<IVTPassword>(container.control(name).get());
    }
    // Every readable property of a control, by name.
    std::map<QString, Variant> state(IVTPassword *vt)
    {
        std::map<QString, Variant> values;
        for (const FunctionDesc &f :
             vtPasswordTypeLibrary().findInterface(IVTPassword::iid)->functions) {
            if (f.kind != DISPATCH_PROPERTYGET)
                continue;
            std::vector<Variant> none;
            vt->Invoke(f.id, DISPATCH_PROPERTYGET, none, &values[f.name]);
        }
        return values;
    }
    HRESULT put(IVTPassword *vt, DispId id, Variant value)
    {
        std::vector<Variant> args{std::move(value)};
        return vt->Invoke(id, DISPATCH_PROPERTYPUT, args, nullptr);
    }
    SavedControl savedWith(PropertyValues values)
    {
        return {"Loaded", VTPasswordIds::control, std::move(values)};
    }

    ComPtr<IClassFactory> factory;
    QWidget form;
    FormContainer design{&form, FormContainer::Mode::Design};
    FormContainer run{&form, FormContainer::Mode::Run};
};

TEST_F(VTPasswordPersistence, ANewControlTakesTheDefaultsAndSavesNothing)
{
    ASSERT_EQ(design.place("VTPass", VTPasswordIds::control, factory.get()), S_OK);
    const auto values = state(control(design, "VTPass").get());
    EXPECT_EQ(values.at("CaseSensitive"), Variant::boolean(VTrue));
    EXPECT_EQ(values.at("UseImages"), Variant::boolean(VTrue));
    EXPECT_EQ(values.at("ActiveButtons"), Variant::boolean(VFalse));
    EXPECT_EQ(values.at("DialogTitleGetPassword"), Variant(u"Password Required"));
    EXPECT_EQ(values.at("CaptionChangeCfmPwd"), Variant(u"Confir&m New Password:"));
    EXPECT_EQ(values.at("CaptionCancel"), Variant(u"&Cancel"));
    EXPECT_EQ(values.at("Password"), Variant(u""));

    std::vector<SavedControl> saved;
    ASSERT_EQ(design.save(&saved), S_OK);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(saved[0].properties.empty());

    ASSERT_EQ(run.load(saved[0], factory.get()), S_OK);
    EXPECT_EQ(state(control(run, "VTPass").get()), values);
}

TEST_F(VTPasswordPersistence, SaveAndLoadRoundTripThroughTheSavedFormText)
{
    ASSERT_EQ(run.place("VTPass", VTPasswordIds::control, factory.get()), S_OK);
    const auto vt = control(run, "VTPass");
    put(vt.get(), Id::Size, Variant::int32(2));
    put(vt.get(), Id::UseImages, Variant::boolean(VFalse));
    put(vt.get(), Id::Password, Variant(u"se\"cr\\et\n"));
    put(vt.get(), Id::Validated, Variant::boolean(VTrue));
    put(vt.get(), Id::MinLength, Variant::int32(4));
    put(vt.get(), Id::CaseSensitive, Variant::boolean(VFalse));
    put(vt.get(), Id::CaptionCancel, Variant(u"&Stop"));
    put(vt.get(), Id::DialogTitleChangePassword, Variant(u""));

    std::vector<SavedControl> saved;
    ASSERT_EQ(run.save(&saved), S_OK);
    const PropertyValues &values = saved.at(0).properties;
    QStringList names;
    for (const auto &entry : values)
        names << entry.first;
    EXPECT_EQ(names, (QStringList{"Size", "UseImages", "Password", "Validated", "MinLength",
                                  "DialogTitleChangePassword", "CaseSensitive", "DBPassword",
                                  "CaptionCreateCancel"}));
    EXPECT_EQ(values.back().second, Variant(u"&Stop"));

    std::vector<SavedControl> reread;
    QString error;
    ASSERT_TRUE(readSavedForm(writeSavedForm(saved), &reread, &error)) << error.toStdString();
    ASSERT_EQ(design.load(reread.at(0), factory.get()), S_OK);
    EXPECT_EQ(state(control(design, "VTPass").get()), state(vt.get()));
}

TEST_F(VTPasswordPersistence, ThePasswordComesFromItsOwnNameAlone)
{
    ASSERT_EQ(
        run.load(savedWith({{"Password", Variant(u"real")}, {"DBPassword", Variant(u"stale")}}),
                 factory.get()),
        S_OK);
    const auto values = state(control(run, "Loaded").get());
    EXPECT_EQ(values.at("Password"), Variant(u"real"));
    EXPECT_EQ(values.at("DBPassword"), Variant(u"real"));
}

TEST_F(VTPasswordPersistence, UnconvertibleRowsAreSkippedAndKeepTheFreshValue)
{
    ASSERT_EQ(run.load(savedWith({{"UseImages", Variant(u"sometimes")},
                                  {"MinLength", Variant(u"abc")},
                                  {"MaxLength", Variant(u"16")},
                                  {"CaseSensitive", Variant(u"maybe")},
                                  {"CaptionCreateCancel", Variant::int32(5)}}),
                       factory.get()),
              S_OK);
    const auto values = state(control(run, "Loaded").get());
    // A fresh instance holds False and zero, not the defaults of a newly placed control.
    EXPECT_EQ(values.at("UseImages"), Variant::boolean(VFalse));
    EXPECT_EQ(values.at("CaseSensitive"), Variant::boolean(VFalse));
    EXPECT_EQ(values.at("MinLength"), Variant::int32(0));
    // The rows after them are still read; a number converts to text.
    EXPECT_EQ(values.at("MaxLength"), Variant::int32(16));
    EXPECT_EQ(values.at("CaptionCancel"), Variant(u"5"));
    EXPECT_EQ(values.at("DialogTitleCreatePassword"), Variant(u"Create Password"));
}

TEST_F(VTPasswordPersistence, ReadsAndWritesUseTheNamesInOrderAndStopAtTheFirstFailedWrite)
{
    ASSERT_EQ(run.place("VTPass", VTPasswordIds::control, factory.get()), S_OK);
    const auto persist = queryInterface<IPersistPropertyBag>(control(run, "VTPass").get());

    auto bag = ComPtr<RecordingBag>::adopt(new RecordingBag);
    EXPECT_EQ(persist->Save(bag.get()), S_OK);
    EXPECT_EQ(bag->written, savedNames);
    // The length defaults are 16-bit zeros.
    EXPECT_EQ(bag->writeDefaults[6], Variant::int16(0));
    EXPECT_EQ(bag->writeDefaults[7], Variant::int16(0));

    bag = ComPtr<RecordingBag>::adopt(new RecordingBag);
    bag->failWriteOf = "MinLength";
    EXPECT_EQ(persist->Save(bag.get()), RecordingBag::E_ACCESSDENIED_FOR_TEST);
    EXPECT_EQ(bag->written, savedNames.mid(0, 6));

    bag = ComPtr<RecordingBag>::adopt(new RecordingBag);
    bag->failReadOf = "UseImages";
    bag->saved = {{"Password", Variant(u"pw")}};
    EXPECT_EQ(persist->Load(bag.get()), S_OK);
    EXPECT_EQ(bag->read, savedNames);
    // UseImages kept what it held (True from placing); the rest was read.
    const auto values = state(control(run, "VTPass").get());
    EXPECT_EQ(values.at("UseImages"), Variant::boolean(VTrue));
    EXPECT_EQ(values.at("Password"), Variant(u"pw"));
}

TEST_F(VTPasswordPersistence, DesignTimeChangesMarkTheFormChanged)
{
    ASSERT_EQ(design.place("VTPass", VTPasswordIds::control, factory.get()), S_OK);
    EXPECT_FALSE(design.isDirty());
    std::vector<std::pair<QString, DispId>> seen;
    QObject::connect(&design, &FormContainer::propertyChanged,
                     [&](const QString &name, DispId id) { seen.emplace_back(name, id); });
    put(control(design, "VTPass").get(), Id::CaptionOK, Variant(u"&Yes"));
    EXPECT_TRUE(design.isDirty());
    EXPECT_EQ(seen, (std::vector<std::pair<QString, DispId>>{{"VTPass", Id::CaptionOK}}));
    std::vector<SavedControl> saved;
    EXPECT_EQ(design.save(&saved), S_OK);
    EXPECT_FALSE(design.isDirty());
}

} // namespace
