// Helpers for the recognition tests: pictures drawn from text art, a sink
// that keeps what it is given, a teacher and a colour chooser answering from
// a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ocr/character_teacher.h"
#include "ocr/glyph.h"
#include "ocr/ocr_settings.h"
#include "ocr/subtitle_sink.h"
#include "ocr/text_colour_chooser.h"
#include "stream/palette_greys.h"
#include "stream/picture.h"

namespace capter::testing {

// The recognition limits with every aid off: the rules recognition follows
// for stored settings that do not turn an aid on.
inline OcrSettings SettingsWithoutAids() {
  OcrSettings settings;
  SetRecognitionAids(settings, false);
  return settings;
}

// Background border, a wide outline holding two letters of fill, each in a
// ring of antialias; the outline outnumbers the fill and the background.
inline Picture24 OutlineHeavyPicture() {
  Picture24 picture(20, 14);
  picture.Fill(kPaletteGreys[0]);
  picture.FillRect(Rect{1, 1, 18, 12}, kPaletteGreys[1]);
  for (int left : {3, 11}) {
    picture.FillRect(Rect{left, 3, left + 5, 10}, kPaletteGreys[2]);
    picture.FillRect(Rect{left + 1, 4, left + 4, 9}, kPaletteGreys[3]);
  }
  return picture;
}

// '#' is a text pixel (grey 3), 'o' an outline pixel (grey 1), anything else
// background; every row as long as the first.
inline Picture24 PictureFromArt(const std::vector<std::string>& rows,
                                Colour text = kPaletteGreys[3]) {
  Picture24 picture(static_cast<int>(rows.empty() ? 0 : rows[0].size()),
                    static_cast<int>(rows.size()));
  picture.Fill(kPaletteGreys[0]);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (rows[y][x] == '#') picture.SetPixel(x, y, text);
      if (rows[y][x] == 'o') picture.SetPixel(x, y, kPaletteGreys[1]);
    }
  }
  return picture;
}

// The glyph rows of pixel art, '#' for ink.
inline GlyphRows RowsOf(const std::vector<std::string>& art) {
  GlyphRows rows{};
  for (size_t y = 0; y < art.size(); ++y) {
    for (size_t x = 0; x < art[y].size(); ++x) {
      if (art[y][x] == '#') rows[y] |= GlyphRow{1} << x;
    }
  }
  return rows;
}

// Draws a filled rectangle of text pixels.
inline void DrawBlock(Picture24& picture, int x, int y, int w, int h,
                      Colour text = kPaletteGreys[3]) {
  picture.FillRect(Rect{x, y, x + w - 1, y + h - 1}, text);
}

struct SinkRecord {
  std::vector<std::string> lines;
  bool render = false;
  Rect area;
  TimeCode start;
  TimeCode stop;
};

class CollectingSink : public SubtitleSink {
 public:
  void AddSubtitle(const std::vector<std::string>& lines, bool render, const Rect& area,
                   const TimeCode& start, const TimeCode& stop) override {
    records.push_back({lines, render, area, start, stop});
  }
  std::vector<SinkRecord> records;
};

// Answers in order; when the script runs out, every further question is
// answered with `fallback`. Records the line, index, symbol number and
// proposal asked.
class ScriptedTeacher : public CharacterTeacher {
 public:
  explicit ScriptedTeacher(std::deque<TeachAnswer> script = {},
                           TeachAnswer fallback = {TeachStatus::Pause, "", false})
      : script_(std::move(script)), fallback_(std::move(fallback)) {}

  TeachAnswer Teach(const TeachRequest& request) override {
    asked.push_back({request.lineIndex, request.index, request.symbolNumber, request.wholeLine,
                     request.reading, request.unknownScreenBoxes.size(), request.proposal});
    if (script_.empty()) return fallback_;
    TeachAnswer answer = script_.front();
    script_.pop_front();
    return answer;
  }

  struct Question {
    int line;
    size_t index;
    size_t symbolNumber;
    bool wholeLine = false;
    std::string reading;      // of a whole-line question
    size_t unknownBoxes = 0;  // of a whole-line question
    std::string proposal;
  };
  std::vector<Question> asked;

 private:
  std::deque<TeachAnswer> script_;
  TeachAnswer fallback_;
};

inline TeachAnswer Taught(std::string text) {
  return {TeachStatus::Ok, std::move(text), false};
}

class ScriptedColourChooser : public TextColourChooser {
 public:
  explicit ScriptedColourChooser(std::deque<std::optional<uint8_t>> script)
      : script_(std::move(script)) {}
  std::optional<uint8_t> ChooseTextColour(const Picture24&, TextColourState&) override {
    ++asked;
    if (script_.empty()) return std::nullopt;
    const std::optional<uint8_t> answer = script_.front();
    script_.pop_front();
    return answer;
  }
  int asked = 0;

 private:
  std::deque<std::optional<uint8_t>> script_;
};

}  // namespace capter::testing
