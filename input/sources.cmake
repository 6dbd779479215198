list(APPEND MU_WIN_SOURCES input/mouse.cpp input/joystick.cpp)
