// The sound device. Placeholder: no device is opened yet.
#include <mu.h>

namespace muSound {

void Release() {}

}  // namespace muSound
