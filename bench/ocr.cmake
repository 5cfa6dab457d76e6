# Recognition figures: the evaluation tool against a truth file and the
# recognition benchmark on the corpus pictures. Both decode units with the
# test support's corpus reader and teach with the truth teacher of the
# recognition tests.
add_library(capter_ocr_bench_support STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/label_teacher.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/recognition_session.cpp
  ${PROJECT_SOURCE_DIR}/tests/ocr/truth_teacher.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/corpus.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/corpus_units.cpp
)
target_include_directories(capter_ocr_bench_support PUBLIC ${PROJECT_SOURCE_DIR})
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::PNG)
  pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
endif()
target_link_libraries(capter_ocr_bench_support PUBLIC capter_ocr PkgConfig::PNG)
target_compile_definitions(capter_ocr_bench_support PUBLIC
  CAPTER_CORPUS_DIR="${CAPTER_CORPUS_DIR}")

add_executable(capter-eval ${CMAKE_CURRENT_SOURCE_DIR}/capter_eval.cpp)
target_link_libraries(capter-eval PRIVATE capter_ocr_bench_support)

add_executable(ocr_recognition_bench ${CMAKE_CURRENT_SOURCE_DIR}/ocr_recognition_bench.cpp)
target_link_libraries(ocr_recognition_bench PRIVATE capter_ocr_bench_support
  benchmark::benchmark)

# The teaching windows on a corpus title: the user's waits, and screenshots.
if(CAPTER_GUI)
  add_executable(teaching_demo ${CMAKE_CURRENT_SOURCE_DIR}/teaching_demo.cpp
    ${PROJECT_SOURCE_DIR}/tests/gui/ocr/labelled_title.cpp)
  target_link_libraries(teaching_demo PRIVATE capter_gui capter_ocr_bench_support)
endif()
