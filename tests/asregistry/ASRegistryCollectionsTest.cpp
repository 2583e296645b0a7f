// The key and value collections: positions, keys, removal and walking.
#include "app/registry/ASRegistryKeys.h"
#include "app/registry/ASRegistryValues.h"
#include "platform/registry/winreg.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

int failureNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ASRegistryError &error) {
        return error.number();
    }
    return 0;
}

TEST(ASRegistryCollections, ItemsByPositionAndByKey)
{
    ASRegistryKeys keys;
    const auto first = keys.Add("First", "one");
    keys.Add("Second");
    keys.Add("Third", "three");
    EXPECT_EQ(first->KeyNames, "First");
    EXPECT_EQ(keys.Count(), 3);
    EXPECT_EQ(keys.Item(1), first);
    EXPECT_EQ(keys.Item(2.0)->KeyNames, "Second");
    EXPECT_EQ(keys.Item(QVariant(qint64{3}))->KeyNames, "Third");
    EXPECT_EQ(keys.Item("THREE")->KeyNames, "Third");
    // A number written as text is a key, not a position.
    EXPECT_EQ(failureNumber([&] { keys.Item("1"); }), ASRegistryError::InvalidArgument);
    EXPECT_EQ(failureNumber([&] { keys.Item(0); }), ASRegistryError::SubscriptOutOfRange);
    EXPECT_EQ(failureNumber([&] { keys.Item(4); }), ASRegistryError::SubscriptOutOfRange);
    EXPECT_EQ(failureNumber([&] { keys.Item(QVariant()); }), ASRegistryError::TypeMismatch);
    EXPECT_EQ(failureNumber([&] { keys.Add("Again", "One"); }), ASRegistryError::DuplicateKey);
    EXPECT_EQ(keys.Count(), 3);
}

TEST(ASRegistryCollections, RemoveAndWalkInOrder)
{
    ASRegistryValues values;
    values.Add("a", "1", REG_SZ, "first");
    values.Add("b", "2", REG_DWORD);
    values.Add("c", "3", REG_BINARY);
    values.Remove("FIRST");
    values.Remove(2);
    EXPECT_EQ(failureNumber([&] { values.Remove(2); }), ASRegistryError::SubscriptOutOfRange);
    EXPECT_EQ(failureNumber([&] { values.Remove("first"); }), ASRegistryError::InvalidArgument);
    // The key of a removed item is free again.
    values.Add("d", "4", REG_SZ, "first");
    QStringList walked;
    for (const auto &value : values)
        walked << value->ValueName + "=" + value->ValueData.toString() + "/" +
                      QString::number(value->DataType);
    EXPECT_EQ(walked, (QStringList{"b=2/4", "d=4/1"}));
}

} // namespace
