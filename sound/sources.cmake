list(APPEND MU_WIN_SOURCES sound/sound_device.cpp sound/midi.cpp)
