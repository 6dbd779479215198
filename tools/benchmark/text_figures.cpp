// Figures of the text layout: a 200-character Japanese paragraph laid out in
// a 400 x 300 box, plain and smoothed (each with its font selection, as a
// caller draws it), and one typewriter step with every character of that
// paragraph shown one by one (the dearest step of a reveal).
#include <mu.h>

#include <string>

#include "figures.h"

namespace {

constexpr int kLeft = 100, kTop = 80, kRight = 500, kBottom = 380;
std::string paragraph;

void PrepareParagraph() {
  const char* sentences[] = {
      "春の朝、小さな町の広場に色とりどりの積み木が降ってきました。",
      "子どもたちは集まって、それを高く積み上げようとしましたが、なかなかうまくいきません。",
      "「もう少し右に寄せて」「いや、左だよ」と声が飛び交います。",
      "やがて日が傾くころ、最後の一つがぴたりと収まり、みんなは大きな声で笑いました。",
      "積み木は夕日に照らされて、長い影を石畳の上に落としていました。"};
  std::string text;
  for (int i = 0; static_cast<int>(text.size()) < 400; ++i) text += sentences[i % 5];
  // 200 characters: every character here is two bytes.
  paragraph = text.substr(0, 400);
}

void PlainMessage() {
  muDraw::SetFont(1, 16, 0, 0, 0, 0);
  muDraw::SetTextColor(0xFFFFFF, 0x000000, 1);
  muDraw::Message(kLeft, kTop, kRight, kBottom, paragraph.c_str(), 0);
  muDraw::ReleaseFont();
}

void Smooth() {
  muDraw::SetBufferFont(1, 16);
  muDraw::SetTextColor(0xFFFFFF, 0x000000, 1);
  muDraw::SmoothMessage(kLeft, kTop, kRight, kBottom, paragraph.c_str(), 0);
  muDraw::ReleaseBufferFont();
}

void TypeStep() { muDraw::TypeMessage(1000.0f); }

void FlipAndClear() {
  muDraw::Flip();
  muDraw::ClearScreen();
}

// The layout again after each step, every character counted as shown, and
// the timer far from the next one.
void FlipAndLayOut() {
  FlipAndClear();
  muDraw::SetFont(1, 16, 0, 0, 0, 0);
  muDraw::SetTextColor(0xFFFFFF, 0x000000, 1);
  muDraw::MessageLayout(kLeft, kTop, kRight, kBottom, paragraph.c_str(), 0);
  muDraw::ReleaseFont();
  muDraw::revealCount = muDraw::glyphCount;
  muDraw::revealTimer = 0;
}

const bench::Register kPlain({"Message of 200 Japanese characters, 400 x 300 box",
                              PrepareParagraph, PlainMessage, FlipAndClear, 1});
const bench::Register kSmooth({"SmoothMessage of the same", PrepareParagraph, Smooth,
                               FlipAndClear, 1});
const bench::Register kType({"TypeMessage step, 200 characters shown one by one",
                             PrepareParagraph, TypeStep, FlipAndLayOut, 1});

}  // namespace
