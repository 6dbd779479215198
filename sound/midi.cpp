// MIDI music through the MCI sequencer, always under the alias "midi". The
// piece plays with notification; the window procedure passes the end of the
// piece to MidiNotify, which starts it again or closes the device.
#include <mu.h>

#include <cstdio>

namespace muSound {

int midiOpen;
int midiFinished;
int midiLoop = 1;

namespace {

void Send(const char* command) { mciSendStringA(command, nullptr, 0, nullptr); }

void PlayFromStart() {
  Send("seek midi to start");
  mciSendStringA("play midi notify", nullptr, 0, muSystem::mainWindow);
}

}  // namespace

int InitMidi() {
  midiOpen = 0;
  midiFinished = 0;
  midiLoop = 1;
  return 1;
}

int PlayMidi(const char* fileName, int loop) {
  char command[muSystem::kTextBufferSize];
  int length = std::snprintf(command, sizeof command, "open \"%s%s\" type sequencer alias midi",
                             muSystem::GetExeDir(0), fileName ? fileName : "");
  // A command cut short would name another file: such a name is not played.
  if (length < 0 || length >= static_cast<int>(sizeof command)) return loop;
  if (midiOpen) StopMidi();
  Send(command);
  PlayFromStart();
  midiOpen = 1;
  midiFinished = 0;
  midiLoop = loop;
  return loop;
}

void MidiNotify() {
  if (midiLoop) {
    PlayFromStart();
  } else {
    StopMidi();
  }
  midiFinished = 1;
}

void StopMidi() {
  if (!midiOpen) return;
  Send("stop midi");
  Send("close midi");
  midiOpen = 0;
}

int CloseMidi() {
  Send("stop midi");
  return static_cast<int>(mciSendStringA("close midi", nullptr, 0, nullptr));
}

void EndMidiLoop() { midiLoop = 0; }

}  // namespace muSound
