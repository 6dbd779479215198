list(APPEND MU_WIN_SOURCES text/fonts.cpp)
