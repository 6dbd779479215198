list(APPEND MU_CORE_SOURCES draw/effects/fill_rects.cpp draw/effects/tint.cpp
  draw/effects/raster_rows.cpp)
list(APPEND MU_WIN_SOURCES draw/effects/curtains.cpp draw/effects/fills.cpp draw/effects/raster.cpp)
