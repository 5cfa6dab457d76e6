add_executable(vob_reader_bench ${CMAKE_CURRENT_SOURCE_DIR}/vob_reader_bench.cpp)
target_link_libraries(vob_reader_bench PRIVATE capter_stream)
target_compile_definitions(vob_reader_bench PRIVATE CAPTER_CORPUS_DIR="${CAPTER_CORPUS_DIR}")
