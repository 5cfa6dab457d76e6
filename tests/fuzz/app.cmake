capter_add_fuzzer(language_file_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/language_file_fuzzer.cpp
                  capter_app_core)
capter_add_fuzzer(jpeg_decoder_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/jpeg_decoder_fuzzer.cpp
                  capter_app_core)
