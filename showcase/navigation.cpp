#include "showcase/navigation.h"

namespace showcase {

Rect ContentsEntry(int index) {
  const int column = index / kContentsRows, row = index % kContentsRows;
  const int left = kContentsLeft + column * kContentsColumnWidth;
  const int top = kContentsTop + row * kContentsRowHeight;
  return Rect{left, top, left + kContentsColumnWidth - 8, top + kContentsRowHeight};
}

int ContentsEntryAt(int x, int y, int count) {
  for (int i = 0; i < count; ++i) {
    if (ContentsEntry(i).Contains(x, y)) return i;
  }
  return -1;
}

int PageAfter(int current, int count, const NavInput& in) {
  if (count <= 0) return 0;
  const int next = (current + 1) % count;
  const int previous = (current + count - 1) % count;
  if (in.next) return next;
  if (in.previous) return previous;
  if (in.first) return 0;
  if (in.last) return count - 1;
  if (in.click && kNextButton.Contains(in.x, in.y)) return next;
  if (in.click && kPreviousButton.Contains(in.x, in.y)) return previous;
  return current;
}

}  // namespace showcase
