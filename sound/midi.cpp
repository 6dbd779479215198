// MIDI music through MCI. Placeholder: no piece is ever open.
#include <mu.h>

namespace muSound {

int midiOpen;

void MidiNotify() {}

}  // namespace muSound
