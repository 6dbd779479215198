// What surrounds every page: the header (title, note, page number), the panel
// of recorded calls, the footer with its two buttons, and the mouse pointer
// (the library hides the system cursor over the window).
#ifndef SHOWCASE_CHROME_H
#define SHOWCASE_CHROME_H

#include "showcase/page.h"

namespace showcase {

// notice: a short message shown in the header instead of the page's note, or null.
void DrawChrome(const Page& page, int index, int count, const char* notice);
void DrawPointer();

}  // namespace showcase

#endif
