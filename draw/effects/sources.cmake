list(APPEND MU_WIN_SOURCES draw/effects/curtains.cpp)
