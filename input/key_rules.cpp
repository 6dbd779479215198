#include "input/key_rules.h"

namespace mu {

int NextKeyState(int state, bool down, bool silenced) {
  int next;
  if (down) {
    next = state == kKeyUp ? kKeyPressed : kKeyHeld;
  } else {
    next = (state == kKeyPressed || state == kKeyHeld) ? kKeyReleased : kKeyUp;
  }
  return silenced ? kKeyUp : next;
}

static bool IsButtonCode(int code) {
  return code == kTriggerLeftButton || code == kTriggerRightButton;
}

int StepTrigger(Trigger& t, TriggerInput& in, const int* codes, int count) {
  // Armed only once no key and no button is held.
  if (t.state == 0 && in.heldKey == 0 && in.heldButton == 0) t.state = 1;

  if (t.state == 1) {
    for (int i = 0; i < count; ++i) {
      t.code = codes[i];
      if (in.lastKey == t.code || in.lastButton == t.code) {
        t.state = 2;
        break;
      }
    }
  }

  if (t.state == 2) {
    bool button = IsButtonCode(t.code);
    // Something else was pressed since: start over.
    if (button ? in.lastButton != t.code : in.lastKey != t.code) t.state = 0;
    // The key (or button) has been let go: report it at its release. This
    // runs after a start-over too, so a second key tapped and let go between
    // two calls does not lose the listed key's press; only a key still held
    // cancels it.
    if (button ? in.heldButton == 0 : in.heldKey == 0) {
      t.state = 0;
      in.lastKey = 0;
      in.lastButton = 0;
      return t.code;
    }
  }
  return 0;
}

}  // namespace mu
