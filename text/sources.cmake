list(APPEND MU_CORE_SOURCES text/text_rules.cpp text/layout.cpp text/shrink.cpp)
list(APPEND MU_WIN_SOURCES text/fonts.cpp text/text_output.cpp text/message.cpp)
