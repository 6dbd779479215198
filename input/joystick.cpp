// Joysticks. Placeholder: no controller is read.
#include <mu.h>

namespace muSystem {

void JoyInit() {}

}  // namespace muSystem
