// DirectDraw and the surfaces. Placeholder until the screen is built: no
// DirectDraw object exists and there is nothing to release.
#include <mu.h>

namespace muDraw {

LPDIRECTDRAW directDraw;
int displayDepth = 16;

void Release() {}

}  // namespace muDraw
