list(APPEND MU_CORE_SOURCES draw/pixel_format.cpp draw/draw_rules.cpp)
list(APPEND MU_WIN_SOURCES draw/screen.cpp draw/sprites.cpp draw/loading.cpp draw/blits.cpp
  draw/packs.cpp draw/frame_show.cpp)
list(APPEND MU_WIN_SOURCES draw/primitives.cpp)
list(APPEND MU_WIN_SOURCES draw/back_dc.cpp draw/blit_path.cpp)
list(APPEND MU_CORE_SOURCES draw/bmp_check.cpp)
list(APPEND MU_CORE_SOURCES draw/pack_format.cpp draw/screenshot_file.cpp)
list(APPEND MU_WIN_SOURCES draw/convert.cpp draw/screenshot.cpp)
