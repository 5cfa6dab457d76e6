capter_add_gui_tests(capter_gui_ocr_tests SOURCES
  ocr/labelled_title.cpp
  ocr/matrix_editor_test.cpp
  ocr/matrix_menu_test.cpp
  ocr/new_character_dialog_test.cpp
  ocr/new_character_dialog_unit_test.cpp
  ocr/ocr_settings_dialog_test.cpp
  ocr/teaching_run.cpp
  ocr/text_colour_dialog_test.cpp
)
find_package(Qt6 REQUIRED COMPONENTS Test)
target_link_libraries(capter_gui_ocr_tests PRIVATE capter_cli_commands Qt6::Test)
