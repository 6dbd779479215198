// Platform-free rules of the polled keyboard: the four-state key step and the
// press-and-release trigger. The Windows layer feeds them the key's down bit
// and the event variables of the window procedure.
#ifndef MU_INPUT_KEY_RULES_H
#define MU_INPUT_KEY_RULES_H

namespace mu {

// Key states: 0 up, 1 pressed (new this poll), 3 held, 2 released (new this poll).
constexpr int kKeyUp = 0, kKeyPressed = 1, kKeyReleased = 2, kKeyHeld = 3;

// The next state of a key from its previous state and whether it is down now.
// A silenced poll (wipe, page view or key capture) always reads up.
int NextKeyState(int state, bool down, bool silenced);

// Trigger codes 1 and 2 stand for the left and right mouse button.
constexpr int kTriggerLeftButton = 1, kTriggerRightButton = 2;
// The most codes one trigger list is read for; a list missing its 0 stops here.
constexpr int kTriggerCodesMax = 64;

struct Trigger {
  int state;   // 0 waits for everything to be let go, 1 armed, 2 a listed code is down
  int code;    // the code being followed
};

// The event variables the trigger reads; lastKey and lastButton are cleared
// when a trigger fires so one press never fires twice.
struct TriggerInput {
  int heldKey, lastKey, heldButton, lastButton;
};

// One call of the trigger over codes[0..count): the code whose press was
// completed by its release, or 0.
int StepTrigger(Trigger& t, TriggerInput& in, const int* codes, int count);

}  // namespace mu

#endif
