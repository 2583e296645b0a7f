#include "platform/com/Guid.h"
#include "platform/com/HResult.h"
#include "platform/com/VariantConversion.h"

#include <gtest/gtest.h>

TEST(Guid, ParsesPrintsAndCompares)
{
    const auto guid = Guid::fromString(u"{34d7e375-a41d-40a1-b9f3-4fb321f79ea7}");
    ASSERT_TRUE(guid);
    EXPECT_EQ(guid->data1, 0x34D7E375u);
    EXPECT_EQ(guid->data4[0], 0xB9);
    EXPECT_EQ(guid->data4[7], 0xA7);
    EXPECT_EQ(guid->toString(), "{34D7E375-A41D-40A1-B9F3-4FB321F79EA7}");
    EXPECT_EQ(Guid::fromString(u"34D7E375-A41D-40A1-B9F3-4FB321F79EA7"), guid);
    EXPECT_NE(*guid, Guid{});
    EXPECT_TRUE(Guid{}.isNull());

    for (const char16_t *bad :
         {u"", u"{34D7E375-A41D-40A1-B9F3-4FB321F79EA7", u"{34D7E375A41D-40A1-B9F3-4FB321F79EA7}",
          u"{34D7E37G-A41D-40A1-B9F3-4FB321F79EA7}", u"{34D7E375-A41D-40A1-B9F3-4FB321F79EA}"})
        EXPECT_FALSE(Guid::fromString(bad)) << QString::fromUtf16(bad).toStdString();
}

TEST(HResult, ControlErrorsCarryTheirNumber)
{
    EXPECT_EQ(std::uint32_t(CTL_E_RUNTIMEONLY), 0x800A017Eu);
    EXPECT_EQ(controlErrorNumber(CTL_E_RUNTIMEONLY), 382);
    EXPECT_EQ(controlErrorNumber(E_FAIL), 0);
    EXPECT_TRUE(FAILED(E_NOTIMPL));
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
}

namespace {

Variant converted(const Variant &from, VarType to, HRESULT expected = S_OK)
{
    Variant out = Variant(u"untouched");
    EXPECT_EQ(changeType(from, to, &out), expected);
    return out;
}

} // namespace

TEST(VariantConversion, NumbersBooleansAndTextConvertTheAutomationWay)
{
    EXPECT_EQ(converted(Variant::int32(5), VarType::Bool), Variant::boolean(VTrue));
    EXPECT_EQ(converted(Variant::int16(0), VarType::Bool), Variant::boolean(VFalse));
    EXPECT_EQ(converted(Variant::boolean(VTrue), VarType::I4), Variant::int32(-1));
    EXPECT_EQ(converted(Variant::boolean(VTrue), VarType::String), Variant(u"True"));
    EXPECT_EQ(converted(Variant(u" -42 "), VarType::I4), Variant::int32(-42));
    EXPECT_EQ(converted(Variant(u"false"), VarType::Bool), Variant::boolean(VFalse));
    EXPECT_EQ(converted(Variant(u"7"), VarType::Bool), Variant::boolean(VTrue));
    EXPECT_EQ(converted(Variant(), VarType::I4), Variant::int32(0));
    EXPECT_EQ(converted(Variant(), VarType::String), Variant(u""));
    EXPECT_EQ(converted(Variant::int32(123456), VarType::String), Variant(u"123456"));
    // A raw Boolean keeps its value when it stays a Boolean.
    EXPECT_EQ(converted(Variant::boolean(5), VarType::Bool).boolValue(), 5);
}

TEST(VariantConversion, UnconvertibleValuesFailAndLeaveTheTargetAlone)
{
    EXPECT_EQ(converted(Variant(u"maybe"), VarType::Bool, DISP_E_TYPEMISMATCH),
              Variant(u"untouched"));
    EXPECT_EQ(converted(Variant(u"12abc"), VarType::I4, DISP_E_TYPEMISMATCH),
              Variant(u"untouched"));
    EXPECT_EQ(converted(Variant(u""), VarType::I4, DISP_E_TYPEMISMATCH), Variant(u"untouched"));
    EXPECT_EQ(converted(Variant::int32(40000), VarType::I2, DISP_E_OVERFLOW),
              Variant(u"untouched"));
    EXPECT_EQ(converted(Variant(u"99999999999"), VarType::I4, DISP_E_OVERFLOW),
              Variant(u"untouched"));
    EXPECT_EQ(converted(Variant(u"99999999999999999999999"), VarType::I4, DISP_E_OVERFLOW),
              Variant(u"untouched"));
}

TEST(Variant, ReferencesReadAndWriteTheCallersVariable)
{
    std::int32_t number = 7;
    QString text = "a";
    const Variant numberRef = Variant::int32Ref(&number);
    const Variant textRef = Variant::stringRef(&text);
    EXPECT_TRUE(numberRef.isByRef());
    EXPECT_EQ(numberRef.type(), VarType::I4);
    EXPECT_EQ(numberRef.int32Value(), 7);
    *numberRef.int32Ref() = 9;
    EXPECT_EQ(number, 9);
    EXPECT_EQ(textRef, Variant(u"a"));
    EXPECT_EQ(textRef.boolRef(), nullptr);
    // A converted reference is a plain value.
    EXPECT_FALSE(converted(numberRef, VarType::I4).isByRef());
}
