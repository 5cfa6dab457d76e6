capter_add_gui_tests(capter_gui_export_tests SOURCES
  bitmap_adjustment_dialog_test.cpp
  bitmap_adjustment_run_test.cpp
  progression_controller_test.cpp
)
# The BMP run is compared with the command-line export's files.
add_dependencies(capter_gui_export_tests capter-cli)
target_compile_definitions(capter_gui_export_tests PRIVATE
  CAPTER_CLI_PATH="$<TARGET_FILE:capter-cli>")
