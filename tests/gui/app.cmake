find_package(Qt6 REQUIRED COMPONENTS Test)
capter_add_gui_tests(capter_gui_app_tests SOURCES
  about_box_test.cpp
  job_dialog_test.cpp
  main_window_test.cpp
  numeric_edit_test.cpp
  ocr/labelled_title.cpp
  ocr/teaching_run.cpp
  program_run_test.cpp
  program_windows_test.cpp
  run_in_window_test.cpp
)
# The tests reach the windows' controls through the forms' classes, which
# the desktop library generates.
set_target_properties(capter_gui_app_tests PROPERTIES AUTOUIC OFF)
target_include_directories(capter_gui_app_tests PRIVATE
  ${PROJECT_BINARY_DIR}/capter_gui_autogen/include)
target_link_libraries(capter_gui_app_tests PRIVATE Qt6::Test capter_cli_commands)
