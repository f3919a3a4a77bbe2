// The framework's pointer map, which its handle tables are built on.
#include "platform/framework/afx_ptrmap.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

const void* Key(int i) { return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(0x1000 + i * 16)); }
void* Value(int i) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x9000 + i)); }

}  // namespace

TEST(PtrMapTest, GrowsKeepsAndForgetsEntries)
{
    CMapPtrToPtr map;
    const int n = 37;  // past several growths of the array
    for (int i = 0; i < n; ++i) ASSERT_TRUE(map.SetAt(Key(i), Value(i)));
    EXPECT_EQ(map.GetCount(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; i += 2) map.RemoveKey(Key(i));
    map.RemoveKey(Key(1000));  // absent: nothing happens
    EXPECT_EQ(map.GetCount(), static_cast<std::size_t>(n / 2));
    for (int i = 0; i < n; ++i) EXPECT_EQ(map.Lookup(Key(i)), i % 2 ? Value(i) : nullptr) << i;
}

TEST(PtrMapTest, SettingAKeyAgainReplacesItsValue)
{
    CMapPtrToPtr map;
    ASSERT_TRUE(map.SetAt(Key(1), Value(1)));
    ASSERT_TRUE(map.SetAt(Key(1), Value(2)));
    EXPECT_EQ(map.GetCount(), 1u);
    EXPECT_EQ(map.Lookup(Key(1)), Value(2));
    EXPECT_EQ(map.GetKeyAt(0), Key(1));
    map.RemoveAll();
    EXPECT_EQ(map.GetCount(), 0u);
    EXPECT_EQ(map.Lookup(Key(1)), nullptr);
}
