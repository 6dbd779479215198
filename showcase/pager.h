// The showcase's pages in turn: the program's start and its frame, kept
// apart from the program's own names so that a test can drive them.
#ifndef SHOWCASE_PAGER_H
#define SHOWCASE_PAGER_H

namespace showcase {

void StartShowcase();   // after muDraw::Screen: loads the pictures and opens the first page
void ShowcaseFrame();   // one frame: page moves, the page, its surroundings, the frame show

}  // namespace showcase

#endif
