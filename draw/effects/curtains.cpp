// Clip-rectangle curtains on the library's state: the clip rectangle, the
// curtain's state and its opened and closed flags are the public values; the
// saved rectangle, type, speed and band are kept here. The edge rules are in
// curtain_edges.h.
#include <mu.h>

#include <cstdlib>

#include "draw/effects/curtain_edges.h"
#include "draw/sprites.h"

namespace muDraw {

int curtainState, curtainOpened, curtainClosed;

namespace {

mu::Curtain curtain;

// The public values into the machine, and back after it ran.
mu::Curtain& Load() {
  curtain.clip = ClipRectangle();
  curtain.state = curtainState;
  curtain.opened = curtainOpened;
  curtain.closed = curtainClosed;
  return curtain;
}

void Keep() {
  SetClip(curtain.clip.left, curtain.clip.top, curtain.clip.right, curtain.clip.bottom);
  curtainState = curtain.state;
  curtainOpened = curtain.opened;
  curtainClosed = curtain.closed;
}

}  // namespace

int StartCurtain(int closing, int type, float speed, int band) {
  const bool started = mu::StartCurtain(Load(), closing, type, speed, band, std::rand);
  Keep();
  return started ? 1 : 0;
}

int StepCurtain() {
  const bool running = mu::StepCurtain(Load(), muSystem::frameSeconds);
  Keep();
  return running ? 1 : 0;
}

void CloseCurtain() {
  mu::CloseCurtain(Load());
  Keep();
}

void EndCurtain() {
  mu::EndCurtain(Load());
  Keep();
}

}  // namespace muDraw
