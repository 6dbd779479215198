// Fonts and text output. Placeholder: no font record is held yet.
#include <mu.h>

namespace muDraw {

void InitFontList() {}
void FreeFontList() {}

}  // namespace muDraw
