capter_add_gui_tests(capter_gui_app_tests SOURCES
  main_window_test.cpp
)
