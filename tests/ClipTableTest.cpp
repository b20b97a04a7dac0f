#include "Capture.h"
#include "ClipTable.h"

#include <gtest/gtest.h>



TEST(ClipTable, LoadsAllTwentyOneInClipOrder)
{
    ClipTable table{};
    loadClips(table, EmbeddedResources());
    EmbeddedResources embedded;
    for (int n = 1; n <= kClipCount; ++n) {
        const ClipImage expected = embedded.find("WAV", QStringLiteral("WAV%1").arg(n));
        ASSERT_TRUE(expected) << n;
        EXPECT_EQ(table[std::size_t(n - 1)].data, expected.data) << n;
    }
}

TEST(ClipTable, LookupIgnoresCase)
{
    EmbeddedResources embedded;
    const ClipImage upper = embedded.find("WAV", "WAV7");
    ASSERT_TRUE(upper);
    EXPECT_EQ(embedded.find("wav", "wav7").data, upper.data);
    EXPECT_EQ(embedded.find("Wav", "wAv7").data, upper.data);
    EXPECT_FALSE(embedded.find("WAV", "WAV22"));
    EXPECT_FALSE(embedded.find("WAVE", "WAV7"));
}

TEST(ClipTable, MissingClipLeavesOnlyItsEntryNull)
{
    ClipTable table{};
    loadClips(table, WithoutClips({"WAV13"}));
    for (int n = 1; n <= kClipCount; ++n)
        EXPECT_EQ(bool(table[std::size_t(n - 1)]), n != 13) << n;
}
