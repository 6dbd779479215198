list(APPEND MU_CORE_SOURCES sound/wave_format.cpp sound/sound_pack.cpp sound/stream_refill.cpp
  sound/playback_format.cpp)
list(APPEND MU_WIN_SOURCES sound/sound_device.cpp sound/wave_file.cpp sound/playback.cpp
  sound/midi.cpp sound/packs.cpp sound/streaming.cpp sound/format_change.cpp)
