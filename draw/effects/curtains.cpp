// Clip-rectangle curtains. Placeholder: no curtain ever runs.
#include <mu.h>

namespace muDraw {

int curtainState;

void EndCurtain() { curtainState = 0; }

}  // namespace muDraw
