#include "ocr/antialias_link.h"

#include <algorithm>
#include <array>

namespace capter {

namespace {

bool Inside(const CharBox& box, int x, int y) {
  return x >= box.Left && x <= box.Right() && y >= box.Top && y <= box.Bottom();
}

}  // namespace

bool FindAntialiasLink(const Picture24& marked, const TextGreys& antialias, const CharBox& a,
                       Colour markA, const CharBox& b, Colour markB, std::vector<JoinPixel>& link) {
  link.clear();
  const int x0 = std::min(a.Left, b.Left), y0 = std::min(a.Top, b.Top);
  const int x1 = std::min(std::max(a.Right(), b.Right()), marked.Width() - 1);
  const int y1 = std::min(std::max(a.Bottom(), b.Bottom()), marked.Height() - 1);
  if (x1 < x0 || y1 < y0) return false;
  const auto ofA = [&](int x, int y) { return Inside(a, x, y) && marked.Pixel(x, y) == markA; };
  const auto ofB = [&](int x, int y) { return Inside(b, x, y) && marked.Pixel(x, y) == markB; };
  const auto marking = [&](int x, int y) {
    const Colour c = marked.Pixel(x, y);
    return c == kMarkA || c == kMarkB;
  };
  constexpr std::array<std::array<int, 2>, 4> kSteps{{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
  // 0: not antialias or beside a third character, 1: free, 2: reached.
  const int w = x1 - x0 + 1, h = y1 - y0 + 1;
  std::vector<uint8_t> state(static_cast<size_t>(w) * h, 0);
  std::vector<JoinPixel> stack;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (!antialias.Has(marked.Row(y) + 3 * x)) continue;
      bool foreign = false, besideA = false;
      for (const auto& [dx, dy] : kSteps) {
        const int nx = x + dx, ny = y + dy;
        if (nx < 0 || ny < 0 || nx >= marked.Width() || ny >= marked.Height()) continue;
        if (ofA(nx, ny)) {
          besideA = true;
        } else if (marking(nx, ny) && !ofB(nx, ny)) {
          foreign = true;
        }
      }
      if (foreign) continue;
      state[static_cast<size_t>(y - y0) * w + (x - x0)] = besideA ? 2 : 1;
      if (besideA) stack.push_back({x, y});
    }
  }
  bool linked = false;
  while (!stack.empty()) {
    const JoinPixel p = stack.back();
    stack.pop_back();
    link.push_back(p);
    for (const auto& [dx, dy] : kSteps) {
      const int nx = p.x + dx, ny = p.y + dy;
      if (nx < x0 || ny < y0 || nx > x1 || ny > y1) continue;
      if (ofB(nx, ny)) linked = true;
      uint8_t& s = state[static_cast<size_t>(ny - y0) * w + (nx - x0)];
      if (s == 1) {
        s = 2;
        stack.push_back({nx, ny});
      }
    }
  }
  if (!linked) link.clear();
  return linked;
}

}  // namespace capter
