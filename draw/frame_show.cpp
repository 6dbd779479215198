// The frame show. Placeholder until the screen is built: nothing to show.
#include <mu.h>

namespace muDraw {

int wipeDirection;
int pageViewOn;

void Flip() {}

}  // namespace muDraw
