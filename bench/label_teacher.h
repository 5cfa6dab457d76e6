// A teacher that answers as a person looking at the framed box would, from
// the corpus's character labels: the characters that have more than half of
// their labelled pixels inside the box, in reading order; nothing for a
// stray piece. Asked for a whole line, it types the line's characters. Once
// frozen it teaches nothing and an unknown shape reads as kUnknownShape.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "ocr/character_teacher.h"
#include "stream/picture.h"

namespace capter::bench {

// One subtitle's labels: pixel (x, y) of the source picture holds k (1..255)
// for a fill pixel of character k of `characters`, 0 elsewhere.
struct SubtitleLabels {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> labels;
  std::vector<std::string> characters;  // cp1252, reading order, no spaces
  std::vector<size_t> totals;           // pixels per label, [0] unused

  uint8_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return labels[static_cast<size_t>(y) * width + x];
  }
};

// The characters of every subtitle of stream `stream` in `glyphsJson`
// (the contents of a case's glyphs.json), converted to cp1252.
std::vector<std::vector<std::string>> ReadGlyphLists(const std::string& glyphsJson, int stream);

// Reads an 8-bit grey labels picture; false when it cannot.
bool ReadLabels(const std::string& path, SubtitleLabels& labels);

// The offset (added to a decoded-picture position) at which the labelled
// pixels fall on pixels of colour `fill` of `decoded`, searched within a
// few pixels.
void AlignLabels(const Picture24& decoded, Colour fill, const SubtitleLabels& labels, int& dx,
                 int& dy);

class LabelTeacher : public CharacterTeacher {
 public:
  // The subtitle about to be recognised: its labels, their offset and the
  // display area of its decoded picture.
  void SetSubtitle(const SubtitleLabels* labels, int dx, int dy, const Rect& area) {
    labels_ = labels;
    dx_ = dx;
    dy_ = dy;
    area_ = area;
  }
  void Freeze() { frozen_ = true; }

  TeachAnswer Teach(const TeachRequest& request) override;

  // The text a person gives for the request's box.
  std::string Answer(const TeachRequest& request) const;
  // The text a person types for the request's whole line: the characters
  // with more than half of their labelled pixels within the line's rows, in
  // reading order, without spaces.
  std::string LineAnswer(const TeachRequest& request) const;

  size_t prompts = 0;      // every question, a whole line's too
  size_t linePrompts = 0;  // questions about a whole line
  size_t frozenUnknowns = 0;
  size_t proposals = 0;          // questions that came with a proposal
  size_t proposalsRight = 0;     // proposals equal to the answer
  std::set<std::string> taught;  // characters taught, one by one

 private:
  const SubtitleLabels* labels_ = nullptr;
  int dx_ = 0;
  int dy_ = 0;
  Rect area_;
  bool frozen_ = false;
};

}  // namespace capter::bench
