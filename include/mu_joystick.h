// The joystick part of the library's interface, free of Windows types so that
// the library's platform-free code and its native tests share it with mu.h
// (which includes it). Up to two controllers are polled through the
// multimedia joystick service; nothing arrives as a message.
//
// Every operation but JoyInit, JoyCalibrate and JoyReset takes the controller
// number (0 or 1) first; buttons are numbered 1 to 4. Another controller or
// button number gives the failure value [in brackets] and changes nothing, as
// does a controller that does not answer (no controller, unplugged). Null
// outputs are skipped. Operations with outputs return 1 when the controller
// answered, else 0. The ramped values (charges, analog values) advance by
// muSystem::frameSeconds at each call: call each of those once per frame.
#ifndef MU_JOYSTICK_H
#define MU_JOYSTICK_H

#include <cstdint>

namespace muSystem {

constexpr int kJoysticks = 2;    // controllers 0 and 1
constexpr int kJoyButtons = 4;   // buttons 1..4 are bits 0..3 of the button mask

// The query flags set before each reading of a controller.
constexpr std::uint32_t kJoyCalibrateFlags = 0x8FF;   // every value, dead zone applied
constexpr std::uint32_t kJoyButtonFlags = 0x80;       // the buttons
constexpr std::uint32_t kJoyStickFlags = 0x803;       // x and y, dead zone applied

// One controller's time-integrated values and button states.
struct JoyRecord {
  float analogX, analogY;            // -100..100, 0 at rest; negative is left or up
  float stickSpeed;                  // units per second of the analog ramps
  float buttonCharge[kJoyButtons];   // 0..100, grows while the button is held
  float buttonSpeed;                 // units per second of the charges
  int buttonState[kJoyButtons];      // 0 up, 1 pressed, 3 held, 2 released
};
extern JoyRecord joyRecords[kJoysticks];
extern int joyCenterX[kJoysticks], joyCenterY[kJoysticks];   // rest position; 0, 0 if unread

void JoyInit();                                   // configuration re-read, calibration, both records cleared
                                                  // (the screen set-up runs it)
void JoyCalibrate();                              // rest positions of both controllers [0, 0 each]
void JoyReset();                                  // analog values and charges of both to 0
void SetJoySpeed(int joy, float stickSpeed, float buttonSpeed);   // speeds of the ramps
void GetJoyCenter(int joy, int* x, int* y);       // the rest position [0, 0]
int JoyButton(int joy, int button);               // 1 while the button is down [0]
int JoyButtonState(int joy, int button);          // advances and returns its state [0, unchanged]
int JoyButtons(int joy, int* b1, int* b2, int* b3, int* b4);   // down flags [all 0]
int JoyButtonStates(int joy, int* s1, int* s2, int* s3, int* s4);   // advances all four [all 0, unchanged]
int JoyButtonCharge(int joy, int button);         // charge after this frame, whole [0, charge cleared]
int JoyButtonCharges(int joy, int* c1, int* c2, int* c3, int* c4);   // all four [all 0, unchanged]
int JoyDirection(int joy, int* dx, int* dy);      // -1, 0 or +1 per axis (+1 right, down) [0, 0]
int JoyDirection8(int joy);                       // keypad direction 7 8 9 / 4 5 6 / 1 2 3 [5]
int JoyPosition(int joy, int* x, int* y);         // the raw stick position [0, 0]
int JoyAnalog(int joy, int* x, int* y);           // analog values after this frame, whole [0, 0, unchanged]

}  // namespace muSystem

#endif
