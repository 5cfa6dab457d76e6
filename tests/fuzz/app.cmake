capter_add_fuzzer(language_file_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/language_file_fuzzer.cpp
                  capter_app_core)
