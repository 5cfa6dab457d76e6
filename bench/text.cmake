# Figures of the Subtitles window with a full table (needs the desktop build).
if(CAPTER_GUI)
  add_executable(text_window_bench ${CMAKE_CURRENT_SOURCE_DIR}/text_window_bench.cpp)
  target_link_libraries(text_window_bench PRIVATE capter_gui)
endif()
