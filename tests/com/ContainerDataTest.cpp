#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/SavedForm.h"

#include <gtest/gtest.h>

TEST(PropertyBag, WritesLeaveOutValuesEqualToTheirDefaultsWhateverTheirWidth)
{
    const auto bag = ComPtr<PropertyBag>::adopt(new PropertyBag);
    EXPECT_EQ(bag->Write("MinLength", Variant::int32(0), Variant::int16(0)), S_OK);
    EXPECT_EQ(bag->Write("CaseSensitive", Variant::boolean(VTrue), Variant::boolean(VTrue)), S_OK);
    EXPECT_EQ(bag->Write("Title", Variant(u"Create Password"), Variant(u"Create Password")), S_OK);
    EXPECT_TRUE(bag->values().empty());

    EXPECT_EQ(bag->Write("MaxLength", Variant::int32(8), Variant::int16(0)), S_OK);
    EXPECT_EQ(bag->Write("Title", Variant(u"create password"), Variant(u"Create Password")), S_OK);
    ASSERT_EQ(bag->values().size(), 2u);
    EXPECT_EQ(bag->values()[0].second, Variant::int32(8));

    // Writing the default later removes what was saved before.
    EXPECT_EQ(bag->Write("MaxLength", Variant::int32(0), Variant::int16(0)), S_OK);
    EXPECT_EQ(bag->values().size(), 1u);
}

TEST(PropertyBag, ReadsGiveTheSavedValueOrTheDefault)
{
    const auto bag = ComPtr<PropertyBag>::adopt(new PropertyBag({{"Size", Variant::int32(2)}}));
    Variant value;
    EXPECT_EQ(bag->Read("Size", &value, Variant::int32(0)), S_OK);
    EXPECT_EQ(value, Variant::int32(2));
    EXPECT_EQ(bag->Read("size", &value, Variant::int16(0)), S_OK); // names match exactly
    EXPECT_EQ(value, Variant::int16(0));
    EXPECT_EQ(bag->Read("Size", nullptr, Variant()), E_POINTER);
}

TEST(PropertyBag, RefusesNamesTheSavedFormCannotHoldAndStoresReferencesAsValues)
{
    const auto bag = ComPtr<PropertyBag>::adopt(new PropertyBag);
    for (const char *bad : {"", " Size", "a:b", "two\nlines"})
        EXPECT_EQ(bag->Write(bad, Variant::int32(1), Variant::int32(0)), E_INVALIDARG) << bad;
    QString text = "kept";
    EXPECT_EQ(bag->Write("Caption", Variant::stringRef(&text), Variant(u"")), S_OK);
    text = "changed later";
    EXPECT_FALSE(bag->values()[0].second.isByRef());
    EXPECT_EQ(bag->values()[0].second, Variant(u"kept"));
}

TEST(SavedForm, RoundTripsEveryValueTypeAndAwkwardText)
{
    const CLSID clsid = *Guid::fromString(u"{DDA49181-9B76-4210-804A-6E15D787E3B9}");
    const std::vector<SavedControl> controls{
        {"VTPass",
         clsid,
         {{"Size", Variant::int32(-7)},
          {"UseImages", Variant::boolean(VFalse)},
          {"MinLength", Variant::int16(3)},
          {"Nothing", Variant()},
          {"Password", Variant(QString::fromUtf16(u"q\"uo\\te\nline\ttab\x01 ünï: End"))}}},
        {"Second", clsid, {}},
    };
    const QString text = writeSavedForm(controls);
    std::vector<SavedControl> read;
    QString error;
    ASSERT_TRUE(readSavedForm(text, &read, &error)) << error.toStdString() << "\n"
                                                    << text.toStdString();
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].name, "VTPass");
    EXPECT_EQ(read[0].clsid, clsid);
    EXPECT_EQ(read[0].properties, controls[0].properties);
    EXPECT_TRUE(read[1].properties.empty());
}

TEST(SavedForm, ReadsHandWrittenTextWithLooseSpacingAndWindowsLineEnds)
{
    std::vector<SavedControl> read;
    QString error;
    ASSERT_TRUE(readSavedForm("\r\nBegin  {dda49181-9b76-4210-804a-6e15d787e3b9}  VTPass\r\n"
                              "\tSize :  I4   2\r\n   Title: String \"a: b\"  \r\nEnd\r\n",
                              &read, &error))
        << error.toStdString();
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].properties,
              (PropertyValues{{"Size", Variant::int32(2)}, {"Title", Variant(u"a: b")}}));
}

TEST(SavedForm, MalformedTextIsRefusedWithTheLineAndLosesNothing)
{
    std::vector<SavedControl> kept{{"Old", Guid{}, {}}};
    QString error;
    const char *broken[] = {
        "Begin {DDA49181-9B76-4210-804A-6E15D787E3B9} VTPass\n    Size: I4 2\n", // no End
        "Begin {not-a-guid} VTPass\nEnd\n",                                      // bad class id
        "Begin {DDA49181-9B76-4210-804A-6E15D787E3B9} VTPass\n    Size: I4 "
        "two\nEnd\n", // bad number
        "Begin {DDA49181-9B76-4210-804A-6E15D787E3B9} VTPass\n    T: String "
        "\"open\nEnd\n", // open quote
        "Begin {DDA49181-9B76-4210-804A-6E15D787E3B9} VTPass\n    T: Double "
        "1.5\nEnd\n", // unknown type
    };
    for (const char *text : broken) {
        EXPECT_FALSE(readSavedForm(text, &kept, &error)) << text;
        EXPECT_TRUE(error.startsWith("line ")) << error.toStdString();
        ASSERT_EQ(kept.size(), 1u);
    }
    EXPECT_TRUE(readSavedForm("", &kept, &error));
    EXPECT_TRUE(kept.empty());
}

namespace {

struct Thing final : ComObject<IUnknown> {
    using ComObject::ComObject;
    void *findInterface(const IID &) override { return nullptr; }
};

} // namespace

TEST(ClassFactory, CreatesCountedObjectsRefusesAggregationAndHoldsLocks)
{
    ModuleCounter module;
    auto factory =
        ComPtr<ClassFactory>::adopt(new ClassFactory(module, [&] { return new Thing(&module); }));
    EXPECT_EQ(module.objects(), 1); // the factory itself

    ComPtr<IUnknown> object;
    EXPECT_EQ(factory->CreateInstance(nullptr, IUnknown::iid, object.put()), S_OK);
    EXPECT_EQ(module.objects(), 2);
    ComPtr<IUnknown> refused;
    EXPECT_EQ(factory->CreateInstance(object.get(), IUnknown::iid, refused.put()),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IClassFactory::iid, refused.put()), E_NOINTERFACE);
    EXPECT_FALSE(refused);
    EXPECT_EQ(module.objects(), 2); // the refused object is gone again

    EXPECT_EQ(factory->LockServer(true), S_OK);
    object.reset();
    factory.reset();
    EXPECT_EQ(module.objects(), 0);
    EXPECT_FALSE(module.canUnload());
    module.unlock();
    EXPECT_TRUE(module.canUnload());
}
