# The Subtitles window and its dialogs, driven with Qt Test's signal spies.
# The save test compares with the files capter-cli convert writes.
find_package(Qt6 REQUIRED COMPONENTS Test)
capter_add_gui_tests(capter_gui_text_tests SOURCES
  correction_dialogs_test.cpp
  fixed_row_list_view_test.cpp
  output_format_dialog_test.cpp
  subtitles_window_run_test.cpp
  subtitles_window_test.cpp
)
target_link_libraries(capter_gui_text_tests PRIVATE Qt6::Test)
add_dependencies(capter_gui_text_tests capter-cli)
target_compile_definitions(capter_gui_text_tests PRIVATE
  CAPTER_CLI_PATH="$<TARGET_FILE:capter-cli>")
