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
