// A page of the showcase, the table of pages, the shared pictures and the
// small drawing helpers the pages use.
//
// A page draws its picture into the demo area (the clip rectangle while it is
// shown) and makes the calls it demonstrates through SHOW, so that each call
// is printed with its arguments under the picture. Adding a page: write its
// open / frame / close routines and a Page record in a file of its group, and
// list the record in page_table.cpp.
#ifndef SHOWCASE_PAGE_H
#define SHOWCASE_PAGE_H

#include <mu.h>

#include "showcase/call_text.h"
#include "showcase/navigation.h"

namespace showcase {

struct Page {
  const char* name;       // one ASCII word naming the page (in the log and its screenshot)
  const char* group;      // one ASCII word: the group of pages, named by its gallery picture
  const char* title;      // Japanese title in the header
  const char* note;       // one line in the header: what to look at, the page's own keys
  void (*open)();         // once when the page is shown (its calls are the set-up lines); or null
  void (*frame)(float seconds);   // each frame: the demo area; seconds since the page opened
  void (*close)();        // once when another page is shown; or null
  bool animated;          // the picture changes by itself from frame to frame
  bool gallery;           // the README's picture of its group
};

extern const Page* const kPages[];
extern const int kPageCount;
void RequestPage(int index);   // shown from the next frame (the contents' links)
int CurrentPage();

// The pictures every page may use, loaded at start-up; printed by name.
struct Pictures {
  Named<int> photo;     // 256 x 192 landscape
  Named<int> mini;      // 160 x 120 landscape
  Named<int> sprites;   // six 64 x 64 cells: ball, star, rocket, heart, coin, gem
  Named<int> tile;      // 64 x 64 seamless tile
  Named<int> texture;   // 256 x 256 seamless plasma
  Named<int> light;     // 128 x 128 glow on black
};
extern Pictures pictures;
constexpr int kSpriteCell = 64;
void LoadPictures();

// The raw back-screen pixel value of a COLORREF, for fills and effects.
DWORD PixelOf(COLORREF colour);

// A rectangle's outline, one pixel wide, right and bottom exclusive (GDI lines).
void Outline(int left, int top, int right, int bottom, COLORREF colour);

// Small texts on the demo area: 12-pixel Gothic, transparent background.
void Caption(int x, int y, const char* text, COLORREF colour = 0xFFFFFF);
void CaptionF(int x, int y, COLORREF colour, const char* format, ...);

// Motion helpers: a sine swing in -1..1 with the period in seconds, a steady
// back-and-forth 0..1..0 with the period in seconds, and which of `count` equal
// steps of `period` seconds a moment falls in (cycling).
float Swing(float seconds, float period);
float PingPong(float seconds, float period);
int StepOf(float seconds, float period, int count);

}  // namespace showcase

#endif
