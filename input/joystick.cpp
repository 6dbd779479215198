// The Windows side of the joysticks: the one query record every reading uses
// and the platform seam of input/joystick_state.h, answered by the multimedia
// joystick service.
#include <mu.h>

#include "input/joystick_state.h"

// Exported by WINMM, not declared by the MinGW headers.
extern "C" MMRESULT WINAPI joyConfigChanged(DWORD flags);

static_assert(sizeof(JOYINFOEX) == 52, "the query record is 52 bytes");
static_assert(muSystem::kJoyCalibrateFlags == (JOY_RETURNALL | JOY_USEDEADZONE), "calibration");
static_assert(muSystem::kJoyButtonFlags == JOY_RETURNBUTTONS, "buttons");
static_assert(muSystem::kJoyStickFlags == (JOY_RETURNX | JOY_RETURNY | JOY_USEDEADZONE), "stick");

namespace muSystem {

JOYINFOEX joyInfo;

}  // namespace muSystem

namespace {

bool ReadController(int joy, std::uint32_t flags, mu::JoyReading& reading) {
  JOYINFOEX& info = muSystem::joyInfo;
  info.dwSize = sizeof info;
  info.dwFlags = flags;
  if (joyGetPosEx(static_cast<UINT>(joy), &info) != JOYERR_NOERROR) return false;
  reading = {info.dwXpos, info.dwYpos, info.dwButtons};
  return true;
}

void ConfigChanged() { joyConfigChanged(0); }

float FrameSeconds() { return muSystem::frameSeconds; }

bool InputSilenced() { return muSystem::KeyInputSilenced() != 0; }

}  // namespace

namespace mu {

JoyPlatform joyPlatform = {ReadController, ConfigChanged, FrameSeconds, InputSilenced};

}  // namespace mu
