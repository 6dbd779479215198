list(APPEND MU_CORE_SOURCES text/text_rules.cpp)
list(APPEND MU_WIN_SOURCES text/fonts.cpp)
