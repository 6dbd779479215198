// The polled keyboard: key states advanced from the message queue's view of
// each key, the press-and-release trigger, key capture, the watched key and
// the system-key mode. The event variables themselves are kept by the window
// procedure.
#include <mu.h>

#include <cstdarg>

#include "input/key_rules.h"

namespace muSystem {

namespace {
mu::Trigger trigger;   // the one trigger of the library
}  // namespace

int KeyInputSilenced() {
  return (muDraw::wipeStep != 0 || muDraw::pageViewOn || keyCaptureMode == 1) ? 1 : 0;
}

void UpdateKeyState(int key, int* state) {
  if (!state) return;
  // The down bit as the queue last saw it, not the asynchronous state.
  bool down = (::GetKeyState(key) & 0x80) != 0;
  *state = mu::NextKeyState(*state, down, KeyInputSilenced() != 0);
}

int CheckTrigger(int code, ...) {
  int codes[mu::kTriggerCodesMax];
  int count = 0;
  va_list args;
  va_start(args, code);
  for (int c = code; c != 0 && count < mu::kTriggerCodesMax; c = va_arg(args, int)) {
    codes[count++] = c;
  }
  va_end(args);

  mu::TriggerInput in = {heldKey, lastKey, heldButton, lastButton};
  int fired = mu::StepTrigger(trigger, in, codes, count);
  lastKey = in.lastKey;
  lastButton = in.lastButton;
  return fired;
}

void BeginKeyCapture() { keyCaptureMode = 1; }

void EndKeyCapture() {
  keyCaptureMode = 0;
  heldKey = 0;
}

void WatchKey(int key) {
  watchedKey = key;
  watchedKeyReleases = 0;
}

int GetWatchedKeyReleases() { return watchedKeyReleases; }

void SetSysKeyMode(int mode) { sysKeyMode = mode; }

}  // namespace muSystem
