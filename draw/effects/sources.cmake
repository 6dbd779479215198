list(APPEND MU_CORE_SOURCES draw/effects/frame_motion.cpp draw/effects/fill_rects.cpp
  draw/effects/tint.cpp draw/effects/mirror.cpp draw/effects/raster_rows.cpp
  draw/effects/curtain_edges.cpp)
list(APPEND MU_WIN_SOURCES draw/effects/curtains.cpp draw/effects/fills.cpp
  draw/effects/stretch.cpp draw/effects/mirror_blit.cpp draw/effects/raster.cpp
  draw/effects/capture.cpp)
