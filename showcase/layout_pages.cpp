// Pages of the text layout: wrapping with punctuation hanging past the right
// edge, plain and smoothed, and the typewriter reveal.
#include "showcase/page.h"

namespace showcase {

namespace {

constexpr char kParagraph[] =
    "ミューのライブラリは、絵と音と文字を一つのウインドウにまとめる。"
    "行の終わりに来た「、」や「。」は、次の行へ送らずに右の余白へぶら下げる。"
    "\n改行もそのまま。Shift-JIS の半角 ABC も混ぜられる。";

constexpr COLORREF kPanel = 0x5A3A28, kInk = 0xFFFFFF, kShade = 0x202020;

// The panel behind a text box, and its right margin as a line.
void Panel(int left, int top, int right, int bottom) {
  muDraw::FillBox(left - 8, top - 8, left + 300, bottom + 8, PixelOf(kPanel));
  muDraw::Line(right, top - 8, right, bottom + 8, 0x60E0FF, 1);
}

// ---- Wrapping and hanging ----------------------------------------------------------------

void WrapFrame(float t) {
  const int width = 160 + static_cast<int>(120 * PingPong(t, 12));   // 20 pixels a second
  const int top = 60, bottom = 340;
  Panel(16, top, 16 + width, bottom);
  Panel(328, top, 328 + width, bottom);

  SHOW(muDraw::SetFont)(1, 16, 0, 0, 0, 0);
  SHOW(muDraw::SetTextColor)(Hex(kInk, 6), Hex(kShade, 6), 1);
  SHOW(muDraw::Message)(16, top, 16 + width, bottom, kParagraph, 0x100 | 4);
  SHOW(muDraw::ReleaseFont)();

  SHOW(muDraw::SetBufferFont)(1, 16);
  muDraw::SetTextColor(kInk, kShade, 1);
  SHOW(muDraw::SmoothMessage)(328, top, 328 + width, bottom, kParagraph, 0x100 | 8);
  SHOW(muDraw::ReleaseBufferFont)();

  CaptionF(16, 44, 0xFFFFFF, "Message: 幅 %d 画素、影つき", width);
  Caption(328, 44, "SmoothMessage: 倍の大きさで描いて縮める");
}

// ---- Typewriter ------------------------------------------------------------------------------
// The text is laid out once (without the copy) and revealed a character every
// 60 ms; two seconds after the end the next round starts, plain and smoothed in turn.

constexpr char kStory[] =
    "むかし、ある森に小さな機械の鳥が住んでいた。鳥は毎朝、歯車の音で歌った。"
    "「今日もいい天気だ。」\n森の動物たちは、その歌で目を覚ました。";
constexpr float kInterval = 0.06f;
constexpr float kPause = 2;

struct Typing {
  int round;        // even: Message, odd: SmoothMessage
  bool laidOut;
  float doneAt;     // page time the reveal ended; < 0 while it runs
} typing;

void LayOut(int round) {
  EventCalls events;
  if (round % 2 == 0) {
    muDraw::SetFont(0, 22, 0, 0, 0, 0);
    muDraw::SetTextColor(0x80F0FF, 0x202020, 1);
    SHOW(muDraw::MessageLayout)(40, 70, 600, 330, kStory, 0x100 | 6);
    muDraw::ReleaseFont();
  } else {
    muDraw::SetBufferFont(0, 22);
    muDraw::SetTextColor(0x80F0FF, 0x202020, 1);
    SHOW(muDraw::SmoothMessageLayout)(40, 70, 600, 330, kStory, 0x100 | 12);
    muDraw::ReleaseBufferFont();
  }
  typing.laidOut = true;
  typing.doneAt = -1;
}

void TypeOpen() { typing = Typing{0, false, -1}; }

void TypeFrame(float t) {
  muDraw::FillBox(24, 56, 616, 340, PixelOf(0x3A2418));
  if (!typing.laidOut) LayOut(typing.round);
  const int done = SHOW(muDraw::TypeMessage)(kInterval);
  if (done && typing.doneAt < 0) typing.doneAt = t;
  if (!done && muDraw::revealCount > 0 && muDraw::revealCount <= muDraw::glyphCount) {
    // A cursor after the last character shown.
    const RECT& g = muDraw::glyphTable[muDraw::revealCount > 1 ? muDraw::revealCount - 1 : 0];
    const int x = muDraw::revealCount > 1 ? g.right : g.left;
    if (StepOf(t, 0.25f, 2) == 0) muDraw::FillBox(x + 1, g.top + 2, x + 4, g.bottom, PixelOf(kInk));
  }
  if (typing.doneAt >= 0 && t - typing.doneAt > kPause) {
    ++typing.round;
    typing.laidOut = false;
  }
  CaptionF(24, 40, 0xFFFFFF, "%s のあと TypeMessage(%.2f): %d / %d 文字",
           typing.round % 2 ? "SmoothMessageLayout" : "MessageLayout", kInterval,
           muDraw::revealCount > 0 ? muDraw::revealCount - 1 : 0, muDraw::glyphCount - 1);
}

}  // namespace

extern const Page kWrapPage = {
    "wrap", "text", "文字のレイアウト", "折り返し、ぶら下がる句読点、なめらかな縁", nullptr,
    WrapFrame, nullptr, true, true};
extern const Page kTypePage = {
    "type", "text", "タイプライター", "一文字ずつ現れる TypeMessage", TypeOpen, TypeFrame, nullptr,
    true, false};

}  // namespace showcase
