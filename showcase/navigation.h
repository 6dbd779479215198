// Where things stand on the showcase's 640 x 480 screen, and how the reader
// moves between pages: Left / Right (wrapping round), Home / End, the two
// buttons of the footer, and the contents list of the first page.
// Platform-free, so that it is tested natively.
#ifndef SHOWCASE_NAVIGATION_H
#define SHOWCASE_NAVIGATION_H

namespace showcase {

struct Rect {
  int left, top, right, bottom;   // right and bottom exclusive
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

constexpr int kScreenWidth = 640, kScreenHeight = 480;
constexpr Rect kHeader{0, 14, 640, 40};        // below the frame-rate line: title and note
constexpr Rect kDemoArea{0, 40, 640, 352};     // the page's own picture; the clip rectangle
constexpr Rect kCallPanel{0, 352, 640, 458};   // the recorded calls
constexpr int kCallLineHeight = 13;
constexpr Rect kFooter{0, 458, 640, 480};
constexpr Rect kPreviousButton{0, 458, 112, 480};
constexpr Rect kNextButton{528, 458, 640, 480};

// Contents of the first page: two columns of entries inside the demo area.
constexpr int kContentsLeft = 24, kContentsTop = 114;
constexpr int kContentsColumnWidth = 300, kContentsRowHeight = 16, kContentsRows = 14;
Rect ContentsEntry(int index);                  // where entry index is printed
int ContentsEntryAt(int x, int y, int count);   // the entry under (x, y), or -1

// What the reader did in one frame.
struct NavInput {
  bool previous, next;   // Left / Right pressed
  bool first, last;      // Home / End pressed
  bool click;            // the left button went down at (x, y)
  int x, y;
};

// The page to show after this frame's input (pages 0 .. count - 1).
int PageAfter(int current, int count, const NavInput& in);

}  // namespace showcase

#endif
