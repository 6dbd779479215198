# Fills, tints, mirrored and raster blits, captures and the curtains.
list(APPEND MU_CORE_SOURCES draw/effects/frame_motion.cpp draw/effects/fill_rects.cpp
  draw/effects/tint.cpp draw/effects/mirror.cpp draw/effects/raster_rows.cpp
  draw/effects/curtain_edges.cpp)
list(APPEND MU_WIN_SOURCES draw/effects/curtains.cpp draw/effects/fills.cpp
  draw/effects/stretch.cpp draw/effects/mirror_blit.cpp draw/effects/raster.cpp
  draw/effects/capture.cpp)
# Effects of a sprite onto the back screen: blends, tones, blurs, displacement and glow.
list(APPEND MU_CORE_SOURCES draw/effects/channels.cpp draw/effects/blend.cpp draw/effects/blend_sse2.cpp
  draw/effects/tone.cpp draw/effects/blur.cpp draw/effects/blur_sse2.cpp draw/effects/warp.cpp)
list(APPEND MU_WIN_SOURCES draw/effects/effect_frame.cpp draw/effects/sprite_effects.cpp)
# Effects on an area of the back screen: smoke, softening, zoom, mosaic, grain.
list(APPEND MU_CORE_SOURCES draw/effects/soften.cpp draw/effects/smoke.cpp draw/effects/zoom.cpp
  draw/effects/mosaic.cpp draw/effects/grain.cpp
  draw/effects/soften_sse2.cpp draw/effects/smoke_sse2.cpp draw/effects/grain_sse2.cpp)
list(APPEND MU_WIN_SOURCES draw/effects/area_effects.cpp)
# Rotation and mapping effects: rotations, smear, ripple, tunnel. Their float
# steps (the ripple's wave, the stretched tiles' zooms) must be rounded to
# 32 bits at each operation, which the Windows build's x87 code would not do.
set(MU_ROTATION_SOURCES draw/effects/rotate.cpp draw/effects/smear.cpp draw/effects/ripple.cpp
  draw/effects/ripple_sse2.cpp draw/effects/tunnel.cpp)
list(APPEND MU_CORE_SOURCES ${MU_ROTATION_SOURCES})
list(APPEND MU_WIN_SOURCES draw/effects/rotation_effects.cpp)
if(WIN32)
  set_property(SOURCE ${MU_ROTATION_SOURCES} APPEND PROPERTY COMPILE_OPTIONS -mfpmath=sse)
endif()
