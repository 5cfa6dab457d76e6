capter_add_gui_tests(capter_gui_export_tests SOURCES
  bitmap_adjustment_dialog_test.cpp
  bitmap_adjustment_run_test.cpp
  progression_controller_test.cpp
)
# The BMP run is compared with the command-line export's files.
add_dependencies(capter_gui_export_tests capter-cli)
target_compile_definitions(capter_gui_export_tests PRIVATE
  CAPTER_CLI_PATH="$<TARGET_FILE:capter-cli>")

# A look at the windows under an X display (not a test): export_window_tour DIR
add_executable(export_window_tour export_window_tour.cpp)
target_link_libraries(export_window_tour PRIVATE capter_gui capter_test_support)
