list(APPEND MU_CORE_SOURCES draw/pixels/pixel_view.cpp draw/pixels/clip.cpp draw/pixels/copy.cpp
  draw/pixels/copy_sse2.cpp)
list(APPEND MU_WIN_SOURCES draw/pixels/surface_lock.cpp)
