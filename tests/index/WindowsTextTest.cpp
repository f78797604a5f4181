#include "index/WindowsText.h"
#include "index/Convertions.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(WindowsText, AngleTextReachesTheTerminalAsUtf8) {
    EXPECT_EQ(WindowsToUtf8(DmsToText(DmsAngle{28, 36, 50})), "28\xC2\xB0"
                                                              "36'50\"");
    EXPECT_EQ(WindowsToUtf8("plain"), "plain");
    // The upper control range is the Windows one, not Latin-1's.
    EXPECT_EQ(WindowsToUtf8("\x80\x99"), "\xE2\x82\xAC\xE2\x84\xA2");
}

// A path typed or stored as UTF-8 is written into the report and the worksheet
// in the Windows character set, '?' for what that set lacks.
TEST(WindowsText, Utf8PathsBecomeWindowsText) {
    EXPECT_EQ(Utf8ToWindows("/data/\xC3\xA1rea.kml"), "/data/\xE1rea.kml");
    EXPECT_EQ(Utf8ToWindows("\xE2\x82\xAC 5"), "\x80 5");
    EXPECT_EQ(Utf8ToWindows("\xE5\x9C\xB0\xE5\x9B\xBE.shp"), "??.shp");
    EXPECT_EQ(Utf8ToWindows("\xF0\x9F\x97\xBA"), "?");
}

TEST(WindowsText, MalformedUtf8GivesQuestionMarksNotGarbage) {
    EXPECT_EQ(Utf8ToWindows("a\xC3"), "a?");              // cut short
    EXPECT_EQ(Utf8ToWindows("\xC3(b"), "?(b");            // bad continuation
    EXPECT_EQ(Utf8ToWindows("\xC0\xAF"), "??");           // overlong '/'
    EXPECT_EQ(Utf8ToWindows("\xE0\x80\xAF"), "???");      // overlong in three bytes
    EXPECT_EQ(Utf8ToWindows("\xED\xA0\x80"), "???");      // a surrogate
    EXPECT_EQ(Utf8ToWindows("\xF0\x80\x81\x81"), "????"); // overlong 'A' in four bytes
    EXPECT_EQ(Utf8ToWindows("\xF0\x80\x80\x41"), "???A"); // cut short by a letter
    EXPECT_EQ(Utf8ToWindows("\xFF"), "?");
}

TEST(WindowsText, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToWindows(WindowsToUtf8(all)), all);
}

} // namespace
} // namespace sw
