#include "platform/ui/QSettingsKeyValueStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

const char* const kKey = "Software\\Talvik Systems\\Quarry";

// Values must survive a new store on the same file: that is what keeps a user's highlighting
// choices from one session to the next.
TEST(QSettingsKeyValueStore, ValuesSurviveReopening)
{
    test::TempDir dir;
    const auto file = QString::fromStdString(dir.file("store.ini"));
    const KeyValueStore::Bytes bytes{8, 'C', 'o', 'r', 'v', 'i', 'd', '6', ':', 0, 0x80, 0xFF};
    const std::string style = "Corvid6:FON#11#Courier New#END#\xE9";
    {
        QSettingsKeyValueStore store(file);
        store.writeString(kKey, "Highlighting - C/C++", style);
        store.writeBinary(kKey, "Key Assignments - C/C++", bytes);
        store.writeString(kKey, "Gone", "x");
        store.deleteValue(kKey, "Gone");
    }
    QSettingsKeyValueStore store(file);
    EXPECT_TRUE(store.keyExists("software/TALVIK SYSTEMS/quarry"));
    EXPECT_FALSE(store.keyExists("Software\\Talvik Systems"  "\\Other"));
    EXPECT_EQ(style, store.readString(kKey, "highlighting - c/c++"));
    EXPECT_EQ(bytes, store.readBinary(kKey, "Key Assignments - C/C++"));
    EXPECT_EQ(std::nullopt, store.readString(kKey, "Key Assignments - C/C++"));
    EXPECT_EQ(std::nullopt, store.readBinary(kKey, "Highlighting - C/C++"));
    EXPECT_EQ(std::nullopt, store.readString(kKey, "Gone"));
}

}  // namespace
}  // namespace quarry
