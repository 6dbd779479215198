// The showcase's platform-free rules: page moves, the contents' links, the
// printed call lines and the pixel values of its colours.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "showcase/call_text.h"
#include "showcase/navigation.h"
#include "showcase/pixel_colour.h"

namespace showcase {
namespace {

// ---- Page moves -----------------------------------------------------------------

NavInput Keys(bool previous, bool next, bool first, bool last) {
  return NavInput{previous, next, first, last, false, 0, 0};
}
NavInput Click(int x, int y) { return NavInput{false, false, false, false, true, x, y}; }

TEST(ShowcaseNavigation, KeysAndButtonsMoveAndWrapRound) {
  const Rect next = kNextButton, previous = kPreviousButton;
  struct Case {
    const char* what;
    int current, count;
    NavInput in;
    int expected;
  } cases[] = {
      {"nothing", 3, 10, Keys(false, false, false, false), 3},
      {"right", 3, 10, Keys(false, true, false, false), 4},
      {"right on the last wraps", 9, 10, Keys(false, true, false, false), 0},
      {"left", 3, 10, Keys(true, false, false, false), 2},
      {"left on the first wraps", 0, 10, Keys(true, false, false, false), 9},
      {"home", 5, 10, Keys(false, false, true, false), 0},
      {"end", 5, 10, Keys(false, false, false, true), 9},
      {"right wins over left", 5, 10, Keys(true, true, false, false), 6},
      {"next button", 2, 10, Click(next.left, next.top), 3},
      {"next button's last pixel", 9, 10, Click(next.right - 1, next.bottom - 1), 0},
      {"previous button", 0, 10, Click(previous.left + 5, previous.top + 5), 9},
      {"beside the buttons", 4, 10, Click(next.left - 1, next.top), 4},
      {"above the footer", 4, 10, Click(next.left, next.top - 1), 4},
      {"one page", 0, 1, Keys(false, true, false, false), 0},
      {"no pages", 0, 0, Keys(false, true, false, false), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageAfter(c.current, c.count, c.in), c.expected) << c.what;
  }
}

TEST(ShowcaseNavigation, ContentsLinksFillTwoColumnsInsideTheDemoArea) {
  const int count = 2 * kContentsRows;
  for (int i = 0; i < count; ++i) {
    const Rect r = ContentsEntry(i);
    EXPECT_TRUE(kDemoArea.Contains(r.left, r.top) &&
                kDemoArea.Contains(r.right - 1, r.bottom - 1)) << i;
    EXPECT_EQ(ContentsEntryAt(r.left, r.top, count), i);
    EXPECT_EQ(ContentsEntryAt(r.right - 1, r.bottom - 1, count), i);
  }
  const Rect second = ContentsEntry(kContentsRows);
  EXPECT_EQ(second.top, ContentsEntry(0).top);   // the second column starts at the top
  EXPECT_GT(second.left, ContentsEntry(0).right);
  // Only listed pages are links; the gap between the columns is none.
  EXPECT_EQ(ContentsEntryAt(second.left, second.top, kContentsRows), -1);
  EXPECT_EQ(ContentsEntryAt(ContentsEntry(0).right, ContentsEntry(0).top, count), -1);
  EXPECT_EQ(ContentsEntryAt(kContentsLeft - 1, kContentsTop, count), -1);
}

// ---- Call lines -----------------------------------------------------------------

int Add3(int a, float b, const char* c) { return a + static_cast<int>(b) + (c ? 1 : 0); }
void TakesPointer(const int*, unsigned long) {}
int Nothing() { return 7; }

class ShowcaseCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearCalls(setupCalls);
    ClearCalls(eventCalls);
    ClearCalls(frameCalls);
    recording = &frameCalls;
  }
  void TearDown() override { recording = nullptr; }
  std::string Line(const CallLog& log, int i) { return log.lines[i].text; }
};

TEST_F(ShowcaseCalls, ArgumentsArePrintedAsTheOperationTakesThem) {
  struct Case {
    const char* expected;
    void (*call)();
  } cases[] = {
      {"Add3(1, 2.0, \"a\")", [] { SHOW(Add3)(1, 2, "a"); }},
      {"Add3(-40, 0.5, NULL)", [] { SHOW(Add3)(-40, 0.5, static_cast<const char*>(nullptr)); }},
      {"Add3(0, 1.25, \"x\")", [] { SHOW(Add3)(0, 1.25f, "x"); }},
      {"Add3(2, -3.1, \"\")", [] { SHOW(Add3)(2, -3.1f, ""); }},
      {"Add3(photo, 180.0, \"日本語\")", [] { SHOW(Add3)(Label(5, "photo"), 180, "日本語"); }},
      {"TakesPointer(&red, 0x00FF00)",
       [] {
         int red = 0;
         SHOW(TakesPointer)(Label(static_cast<const int*>(&red), "&red"), Hex(0xFF00ul, 6));
       }},
      {"TakesPointer(pts, 4294967295)",
       [] { SHOW(TakesPointer)(Label(static_cast<const int*>(nullptr), "pts"), 0xFFFFFFFFul); }},
      {"Nothing()", [] { SHOW(Nothing)(); }},
  };
  for (const Case& c : cases) {
    ClearCalls(frameCalls);
    c.call();
    ASSERT_EQ(frameCalls.count, 1) << c.expected;
    EXPECT_EQ(Line(frameCalls, 0), c.expected);
  }
}

TEST_F(ShowcaseCalls, TheCallIsMadeWithTheValuesAndItsResultReturned) {
  EXPECT_EQ(SHOW(Add3)(Label(40, "forty"), 2.9f, "c"), 43);
  recording = nullptr;   // and without recording
  EXPECT_EQ(SHOW(Nothing)(), 7);
  EXPECT_EQ(frameCalls.count, 1);
}

TEST_F(ShowcaseCalls, RepeatsAreCountedAndEventsKeepTheLatestArguments) {
  for (int i = 0; i < 3; ++i) SHOW(Add3)(i, 0, "f");
  {
    EventCalls events;
    SHOW(Add3)(10, 0, "e");
    SHOW(Add3)(11, 0, "e");
  }
  SHOW(Nothing)();
  ASSERT_EQ(frameCalls.count, 2);
  EXPECT_EQ(Line(frameCalls, 0), "Add3(0, 0.0, \"f\")");
  EXPECT_EQ(frameCalls.lines[0].repeats, 2);
  EXPECT_EQ(Line(frameCalls, 1), "Nothing()");
  ASSERT_EQ(eventCalls.count, 1);
  EXPECT_EQ(Line(eventCalls, 0), "Add3(11, 0.0, \"e\")");
  {
    EventCalls events;   // an event made again becomes the newest
    SHOW(Nothing)();
    SHOW(Add3)(12, 0, "e");
  }
  ASSERT_EQ(eventCalls.count, 2);
  EXPECT_EQ(Line(eventCalls, 0), "Nothing()");
  EXPECT_EQ(Line(eventCalls, 1), "Add3(12, 0.0, \"e\")");
  EXPECT_EQ(recording, &frameCalls);   // the event scope gave recording back

  recording = nullptr;
  {
    EventCalls events;   // nothing records while nothing is recorded
    SHOW(Nothing)();
  }
  EXPECT_EQ(eventCalls.count, 2);
  EXPECT_EQ(recording, nullptr);
}

TEST_F(ShowcaseCalls, AFullListDropsNewcomersButEventsForgetTheirOldest) {
  char names[kCallLines + 2][8];
  for (int i = 0; i < kCallLines + 2; ++i) {
    std::snprintf(names[i], sizeof names[i], "Op%d", i);
    CallText c;
    BeginCall(c, names[i]);
    EndCall(c);
    Record(&frameCalls, names[i], c);
    Record(&eventCalls, names[i], c);
  }
  EXPECT_EQ(frameCalls.count, kCallLines);
  EXPECT_EQ(frameCalls.dropped, 2);
  EXPECT_EQ(Line(frameCalls, kCallLines - 1), "Op7()");
  RecordText("Printed", "%d, \"%s\"", 3, "x");   // also when it is written by hand
  EXPECT_EQ(frameCalls.dropped, 3);
  EXPECT_EQ(eventCalls.count, kCallLines);
  EXPECT_EQ(eventCalls.dropped, 2);
  EXPECT_EQ(Line(eventCalls, 0), "Op2()");
  EXPECT_EQ(Line(eventCalls, kCallLines - 1), "Op9()");
}

TEST_F(ShowcaseCalls, ALongLineIsCutWholeCharactersFirstAndEndsInDots) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "字";   // two bytes each in the program's code page
  for (int shift = 0; shift < 2; ++shift) {
    CallText c;
    BeginCall(c, shift ? "Ab" : "A");
    AppendQuoted(c, text.c_str());
    EndCall(c);
    const std::string line = c.text;
    ASSERT_LT(line.size(), static_cast<size_t>(kCallTextBytes));
    EXPECT_EQ(line.substr(line.size() - 3), "...");
    EXPECT_EQ(static_cast<int>(line.size()), c.length);
    // Before the dots stands a whole number of characters after the opening quote.
    const std::string head = line.substr(0, line.size() - 3);
    const size_t open = head.find('"');
    EXPECT_EQ((head.size() - open - 1) % std::strlen("字"), 0u) << line;
  }
}

TEST_F(ShowcaseCalls, HandWrittenLinesAreRecordedLikeCalls) {
  RecordText("muDraw::PrintF", "8, 60, \"%%d\", %d", 42);
  RecordText("muDraw::StepCurtain", "");
  ASSERT_EQ(frameCalls.count, 2);
  EXPECT_EQ(Line(frameCalls, 0), "muDraw::PrintF(8, 60, \"%d\", 42)");
  EXPECT_EQ(Line(frameCalls, 1), "muDraw::StepCurtain()");
}

// ---- Pixel values -----------------------------------------------------------------

TEST(ShowcasePixelColour, ChannelsAreScaledRoundedAndPlacedForEachFormat) {
  struct Case {
    std::uint32_t red, green, blue;
    int r, g, b;
    std::uint32_t expected;
  } cases[] = {
      {0xF800, 0x07E0, 0x001F, 255, 255, 255, 0xFFFF},        // 5-6-5
      {0xF800, 0x07E0, 0x001F, 0, 0, 0, 0x0000},
      {0xF800, 0x07E0, 0x001F, 255, 0, 0, 0xF800},
      {0xF800, 0x07E0, 0x001F, 0, 128, 0, 32u << 5},           // 128 x 63 / 255 rounds to 32
      {0xF800, 0x07E0, 0x001F, 0, 0, 4, 0},                    // 4 x 31 / 255 rounds to 0
      {0xF800, 0x07E0, 0x001F, 0, 0, 5, 1},                    // 5 x 31 / 255 rounds to 1
      {0x7C00, 0x03E0, 0x001F, 255, 0, 255, 0x7C1F},           // 5-5-5
      {0xFF0000, 0x00FF00, 0x0000FF, 0x12, 0x34, 0x56, 0x123456},   // 8-8-8
      {0xFF0000, 0x00FF00, 0x0000FF, 300, -5, 255, 0xFF00FF},  // out of range is held
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PackPixel(c.red, c.green, c.blue, c.r, c.g, c.b), c.expected)
        << std::hex << c.red << " " << c.r << "," << c.g << "," << c.b;
  }
}

}  // namespace
}  // namespace showcase
