// The sound device. Placeholder: no device is opened yet.
#include <mu.h>

namespace muSound {

int Init() { return 0; }
void ResetObjects() {}
void Release() {}

}  // namespace muSound
