list(APPEND MU_CORE_SOURCES input/key_rules.cpp input/joystick_state.cpp)
list(APPEND MU_WIN_SOURCES input/keyboard.cpp input/mouse.cpp input/joystick.cpp)
