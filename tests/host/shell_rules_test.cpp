#include "app/shell_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

TEST(ShellRules, WindowIsCentred) {
  mu::FrameMetrics m = {1, 2, 3, 18, 2, 1, 3};
  mu::WindowPlacement p = mu::CenteredWindow(1024, 768, 640, 480, m);
  EXPECT_EQ(p.width, 646);
  EXPECT_EQ(p.height, 504);
  EXPECT_EQ(p.x, 189);
  EXPECT_EQ(p.y, 132);
  // A screen smaller than the window truncates toward zero.
  p = mu::CenteredWindow(640, 480, 640, 480, m);
  EXPECT_EQ(p.x, -3);
  EXPECT_EQ(p.y, -12);
}

TEST(ShellRules, FrameTimeAcrossTimerWrap) {
  EXPECT_FLOAT_EQ(mu::SecondsBetween(1000, 1016), 0.016f);
  EXPECT_FLOAT_EQ(mu::SecondsBetween(0xFFFFFFF0u, 0x10u), 0.032f);
}

TEST(ShellRules, BlinkOnThenOff) {
  int on = 1;
  std::uint32_t next = 5000 + 1000;
  mu::StepBlink(on, next, 5999, 5999);
  EXPECT_EQ(on, 1);
  mu::StepBlink(on, next, 6000, 6001);
  EXPECT_EQ(on, 0);
  EXPECT_EQ(next, 6201u);
  mu::StepBlink(on, next, 6201, 6201);
  EXPECT_EQ(on, 1);
  EXPECT_EQ(next, 7201u);
}

TEST(ShellRules, VersionCodes) {
  EXPECT_EQ(mu::VersionCode(0, 3, 10), 310);
  EXPECT_EQ(mu::VersionCode(1, 4, 0), 950);
  EXPECT_EQ(mu::VersionCode(1, 4, 10), 980);
  EXPECT_EQ(mu::VersionCode(1, 4, 90), 980);
  EXPECT_EQ(mu::VersionCode(1, 5, 2), 502);
  EXPECT_EQ(mu::VersionCode(2, 5, 1), 2000);
  EXPECT_EQ(mu::VersionCode(2, 4, 0), 4000);
  EXPECT_EQ(mu::VersionCode(2, 6, 0), 6000);
  EXPECT_EQ(mu::VersionCode(2, 6, 1), 6010);
  EXPECT_EQ(mu::VersionCode(2, 10, 0), 10000);
  EXPECT_EQ(mu::VersionCode(3, 6, 1), -1);
}

TEST(ShellRules, ColorDepthTextNamesBothColourCounts) {
  EXPECT_EQ(mu::ColorDepthLevel(8), 1);
  EXPECT_EQ(mu::ColorDepthLevel(16), 2);
  EXPECT_EQ(mu::ColorDepthLevel(24), 3);
  EXPECT_EQ(mu::ColorDepthLevel(32), 3);
  EXPECT_EQ(mu::ColorDepthLevel(15), 0);

  char text[256];
  mu::ColorDepthText(2, text, sizeof text);
  std::string s(text);
  EXPECT_EQ(s.rfind("　ウィンドウ状態で実行しようとしていますが、", 0), 0u);
  EXPECT_NE(s.find("画面が256色以下に設定されています。\n"), std::string::npos);
  EXPECT_NE(s.find("正しく動作させるには、65536色以上に設定するか、"), std::string::npos);
  EXPECT_NE(s.find("フルスクリーンで実行させて下さい。"), std::string::npos);
  mu::ColorDepthText(3, text, sizeof text);
  EXPECT_NE(std::string(text).find("65536色以下"), std::string::npos);
  EXPECT_NE(std::string(text).find("1670万色以上"), std::string::npos);

  char small[20];
  mu::ColorDepthText(2, small, sizeof small);  // cut, never overrun
  EXPECT_LT(std::strlen(small), sizeof small);
}

TEST(ShellRules, ColorDepthQuestions) {
  EXPECT_EQ(mu::ColorDepthQuestion(""), nullptr);
  EXPECT_STREQ(mu::ColorDepthQuestion("*"), "フルスクリーンに切り換えますか？");
  EXPECT_STREQ(mu::ColorDepthQuestion("full.ini"), "フルスクリーンに設定し直しますか？");
}

TEST(ShellRules, WeekdaysAndSaturation) {
  EXPECT_STREQ(mu::WeekdayText(0), "日");
  EXPECT_STREQ(mu::WeekdayText(3), "水");
  EXPECT_STREQ(mu::WeekdayText(6), "土");
  EXPECT_STREQ(mu::WeekdayText(7), "");
  EXPECT_EQ(mu::SaturateToInt(5ull * 1024 * 1024 * 1024), INT_MAX);
  EXPECT_EQ(mu::SaturateToInt(12345), 12345);
}

}  // namespace
