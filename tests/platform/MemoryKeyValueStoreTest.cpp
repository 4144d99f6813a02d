#include "platform/MemoryKeyValueStore.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

const char* const kKey = "Software\\Talvik Systems\\Quarry";

TEST(MemoryKeyValueStore, KeysAndNamesIgnoreCaseAndSeparatorStyle)
{
    MemoryKeyValueStore store;
    EXPECT_FALSE(store.keyExists(kKey));
    store.writeString(kKey, "Highlighting - C/C++", "Corvid6:OPT#1#5");
    EXPECT_TRUE(store.keyExists("software/talvik systems/quarry/"));
    EXPECT_EQ("Corvid6:OPT#1#5", store.readString("SOFTWARE\\\\TALVIK SYSTEMS\\QUARRY", "highlighting - c/c++"));
    EXPECT_EQ(std::nullopt, store.readString(kKey, "Highlighting - Java"));
    EXPECT_EQ(std::nullopt, store.readString("Software\\Other", "Highlighting - C/C++"));
}

TEST(MemoryKeyValueStore, StringAndBinaryValuesAreDistinct)
{
    MemoryKeyValueStore store;
    const KeyValueStore::Bytes bytes{8, 'C', 'o', 'r', 'v', 'i', 'd', '6', ':', 0, 255};
    store.writeBinary(kKey, "Key Assignments - Java", bytes);
    EXPECT_EQ(bytes, store.readBinary(kKey, "Key Assignments - Java"));
    EXPECT_EQ(std::nullopt, store.readString(kKey, "Key Assignments - Java"));
    store.writeString(kKey, "Key Assignments - Java", "text");
    EXPECT_EQ(std::nullopt, store.readBinary(kKey, "Key Assignments - Java"));
    store.deleteValue(kKey, "KEY ASSIGNMENTS - JAVA");
    EXPECT_EQ(std::nullopt, store.readString(kKey, "Key Assignments - Java"));
}

}  // namespace
}  // namespace quarry
