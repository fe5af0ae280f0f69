#include "image/StatusLog.h"

#include <gtest/gtest.h>

#include "tests/support/TempDirectory.h"

namespace tovrin::image {
namespace {

std::tm At(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(StatusLogTest, AReportReplacesTheTextWithStampMessageAndLineEnd) {
    StatusLog log;
    const std::tm time = At(2026, 3, 7, 9, 5, 2);
    EXPECT_EQ(log.Report("\r\n下载成功!", true, &time).text, "\r\n2026-03-07 09:05:02 \r\n\r\n下载成功!\r\n");
    EXPECT_EQ(log.Report("No Burner Connected!", true, nullptr).text, "No Burner Connected!\r\n");
    EXPECT_EQ(log.Report("part", false, &time).text, "part ");
}

TEST(StatusLogTest, ScrollsByTheReportCountOnlyPastTheNinthReport) {
    StatusLog log;
    for (int report = 1; report <= 9; ++report) EXPECT_EQ(log.Report("x", true, nullptr).scrollLines, 0);
    EXPECT_EQ(log.Report("not counted", false, nullptr).scrollLines, 0);
    EXPECT_EQ(log.Report("x", true, nullptr).scrollLines, 10);
    EXPECT_EQ(log.Report("x", true, nullptr).scrollLines, 11);
    EXPECT_EQ(log.ReportCount(), 11);
}

TEST(StatusLogTest, CaptionIsTheFirstLineOfVersionTxtFromGbk) {
    testing::TempDirectory dir;
    EXPECT_EQ(ReadWindowCaption(dir.path()), "");
    // "演示" in GBK, then more lines.
    dir.Write("Version.TXT", std::string("Tovrin \xD1\xDD\xCA\xBE V1\r\nsecond line\r\nthird\n"));
    EXPECT_EQ(ReadWindowCaption(dir.path()), "Tovrin 演示 V1");
}

}  // namespace
}  // namespace tovrin::image
