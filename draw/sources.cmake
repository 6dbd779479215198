list(APPEND MU_WIN_SOURCES draw/screen.cpp draw/frame_show.cpp)
