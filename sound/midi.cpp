// MIDI music through MCI. Placeholder: no piece is ever open.
#include <mu.h>

namespace muSound {

int midiOpen;

int InitMidi() { return 1; }
void MidiNotify() {}

}  // namespace muSound
