# Figures of the Subtitles window with a full table (needs the desktop build).
if(CAPTER_GUI)
  add_executable(text_window_bench ${CMAKE_CURRENT_SOURCE_DIR}/text_window_bench.cpp)
  target_link_libraries(text_window_bench PRIVATE capter_gui)
endif()

# The window filled by a real recognition run, for looking at it (needs the
# corpus and a display).
if(CAPTER_GUI)
  add_executable(text_window_demo ${CMAKE_CURRENT_SOURCE_DIR}/text_window_demo.cpp)
  target_link_libraries(text_window_demo PRIVATE capter_gui capter_ocr_bench_support)
endif()
