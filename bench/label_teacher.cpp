#include "bench/label_teacher.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "base/cp1252.h"
#include "ocr/character_matrix.h"
#include "tests/ocr/truth_teacher.h"

namespace capter::bench {

namespace {

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The JSON string starting after the quote at `at`; `at` ends past it.
std::string JsonString(const std::string& json, size_t& at) {
  std::string out;
  while (at < json.size() && json[at] != '"') {
    char c = json[at++];
    if (c == '\\' && at < json.size()) {
      c = json[at++];
      if (c == 'u' && at + 4 <= json.size()) {
        AppendUtf8(out, static_cast<unsigned>(std::stoul(json.substr(at, 4), nullptr, 16)));
        at += 4;
        continue;
      }
      if (c == 'n') c = '\n';
    }
    out += c;
  }
  ++at;
  return Utf8ToCp1252(out);
}

bool ReadGrey(png_structp reader, png_infop info, FILE* file, SubtitleLabels& labels) {
  if (setjmp(png_jmpbuf(reader)) != 0) return false;
  png_init_io(reader, file);
  png_read_info(reader, info);
  if (png_get_color_type(reader, info) != PNG_COLOR_TYPE_GRAY ||
      png_get_bit_depth(reader, info) != 8) {
    return false;
  }
  labels.width = static_cast<int>(png_get_image_width(reader, info));
  labels.height = static_cast<int>(png_get_image_height(reader, info));
  labels.labels.assign(static_cast<size_t>(labels.width) * labels.height, 0);
  for (int y = 0; y < labels.height; ++y) {
    png_read_row(reader, labels.labels.data() + static_cast<size_t>(y) * labels.width, nullptr);
  }
  return true;
}

}  // namespace

std::vector<std::vector<std::string>> ReadGlyphLists(const std::string& json, int stream) {
  std::vector<std::vector<std::string>> lists;
  size_t at = json.find("\"stream" + std::to_string(stream) + "\"");
  if (at == std::string::npos) return lists;
  at = json.find('[', at);
  int depth = 0;
  while (at < json.size()) {
    const char c = json[at++];
    if (c == '[') {
      if (++depth == 2) lists.emplace_back();
    } else if (c == ']') {
      if (--depth == 0) break;
    } else if (c == '"' && depth == 2) {
      lists.back().push_back(JsonString(json, at));
    }
  }
  return lists;
}

bool ReadLabels(const std::string& path, SubtitleLabels& labels) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  png_structp reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(reader);
  const bool ok = ReadGrey(reader, info, file.get(), labels);
  png_destroy_read_struct(&reader, &info, nullptr);
  if (!ok) return false;
  labels.totals.assign(256, 0);
  for (uint8_t k : labels.labels) ++labels.totals[k];
  return true;
}

void AlignLabels(const Picture24& decoded, Colour fill, const SubtitleLabels& labels, int& dx,
                 int& dy) {
  constexpr int kReach = 6;
  size_t best = 0;
  dx = dy = 0;
  for (int oy = -kReach; oy <= kReach; ++oy) {
    for (int ox = -kReach; ox <= kReach; ++ox) {
      size_t hits = 0;
      for (int y = 0; y < labels.height; ++y) {
        for (int x = 0; x < labels.width; ++x) {
          if (labels.At(x, y) == 0) continue;
          const int px = x - ox, py = y - oy;
          if (px < 0 || py < 0 || px >= decoded.Width() || py >= decoded.Height()) continue;
          hits += decoded.Pixel(px, py) == fill;
        }
      }
      if (hits > best) {
        best = hits;
        dx = ox;
        dy = oy;
      }
    }
  }
}

std::string LabelTeacher::Answer(const TeachRequest& request) const {
  if (labels_ == nullptr) return {};
  const CharBox& box = request.Box();
  const Colour mark = MarkOf(request.index);
  // The box's top-left pixel in the decoded picture.
  const int x0 = request.screenBox.x1 - area_.x1, y0 = request.screenBox.y1 - area_.y1;
  std::map<uint8_t, size_t> inside;
  for (int y = 0; y < box.Height; ++y) {
    for (int x = 0; x < box.Width; ++x) {
      if (request.bitmap.Pixel(box.Left + x, box.Top + y) != mark) continue;
      const uint8_t k = labels_->At(x0 + x + dx_, y0 + y + dy_);
      if (k != 0) ++inside[k];
    }
  }
  std::string text;
  for (const auto& [k, count] : inside) {
    if (count * 2 > labels_->totals[k] && k <= labels_->characters.size()) {
      text += labels_->characters[k - 1];
    }
  }
  return text;
}

std::string LabelTeacher::LineAnswer(const TeachRequest& request) const {
  if (labels_ == nullptr) return {};
  // The line's rows in the labels picture.
  const int top = request.lineScreenBox.y1 - area_.y1 + dy_;
  const int bottom = request.lineScreenBox.y2 - area_.y1 + dy_;
  std::vector<size_t> inside(256, 0);
  for (int y = std::max(top, 0); y <= bottom && y < labels_->height; ++y) {
    for (int x = 0; x < labels_->width; ++x) ++inside[labels_->At(x, y)];
  }
  std::string text;
  for (size_t k = 1; k <= labels_->characters.size() && k < inside.size(); ++k) {
    if (inside[k] * 2 > labels_->totals[k]) text += labels_->characters[k - 1];
  }
  return text;
}

TeachAnswer LabelTeacher::Teach(const TeachRequest& request) {
  ++prompts;
  TeachAnswer answer;
  if (request.wholeLine) {
    ++linePrompts;
    // Frozen, the line is left to its boxes, which read as unknown shapes.
    answer.status = TeachStatus::Ok;
    if (!frozen_) answer.text = LineAnswer(request);
    for (char c : answer.text) taught.insert(std::string(1, c));
    return answer;
  }
  if (frozen_) {
    ++frozenUnknowns;
    answer.status = TeachStatus::MatrixFound;
    answer.text = std::string(1, capter::testing::kUnknownShape);
    return answer;
  }
  answer.status = TeachStatus::Ok;
  answer.text = Answer(request);
  if (answer.text.size() > CharacterMatrix::kMaxEntryText) {
    answer.text.resize(CharacterMatrix::kMaxEntryText);
  }
  if (!request.proposal.empty()) {
    ++proposals;
    if (request.proposal == answer.text) ++proposalsRight;
  }
  for (char c : answer.text) taught.insert(std::string(1, c));
  return answer;
}

}  // namespace capter::bench
