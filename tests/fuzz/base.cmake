capter_add_fuzzer(ini_file_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/ini_file_fuzzer.cpp capter_base)
