list(APPEND MU_CORE_SOURCES draw/effects/channels.cpp draw/effects/blend.cpp draw/effects/blend_sse2.cpp
  draw/effects/tone.cpp draw/effects/blur.cpp draw/effects/blur_sse2.cpp draw/effects/warp.cpp)
list(APPEND MU_WIN_SOURCES draw/effects/curtains.cpp draw/effects/effect_frame.cpp
  draw/effects/sprite_effects.cpp)
