list(APPEND MU_CORE_SOURCES app/paths.cpp app/shell_rules.cpp)
list(APPEND MU_WIN_SOURCES app/entry.cpp app/shell.cpp app/window_proc.cpp app/timing.cpp
  app/errors.cpp app/utilities.cpp app/pack_files.cpp)
