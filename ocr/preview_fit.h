// How large the main window must be for the text colour preview to show a
// whole sub-picture: the picture's width plus 23 pixels and its height plus
// 110 pixels (the window's frame, status and controls), never smaller than
// the window already is.
#pragma once

#include <algorithm>

namespace capter {

struct WindowSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

inline constexpr int kPreviewExtraWidth = 23;
inline constexpr int kPreviewExtraHeight = 110;

inline WindowSize WindowSizeForPreview(WindowSize window, int pictureWidth, int pictureHeight) {
  return {std::max(window.width, pictureWidth + kPreviewExtraWidth),
          std::max(window.height, pictureHeight + kPreviewExtraHeight)};
}

}  // namespace capter
