#include "tests/gui/ocr/labelled_title.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

#include "ocr/line_table.h"

namespace capter::testing {

namespace {

QJsonArray GlyphLists(const CorpusCase& c, int streamIndex) {
  QFile file(QString::fromStdString(c.dir + "/glyphs.json"));
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("no glyphs.json in " + c.dir);
  return QJsonDocument::fromJson(file.readAll())
      .object()
      .value(QString("stream%1").arg(streamIndex))
      .toArray();
}

// The top-left corner of the picture's fill pixels (palette index 1): the
// corner the recogniser crops the decoded picture to.
QPoint FillOrigin(const QImage& picture) {
  QPoint origin(picture.width(), picture.height());
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixelIndex(x, y) != 1) continue;
      origin.setX(std::min(origin.x(), x));
      origin.setY(std::min(origin.y(), y));
    }
  }
  return origin;
}

}  // namespace

LabelledTitle::LabelledTitle(const CorpusCase& c, int streamIndex) {
  const CorpusStream& stream = c.streams.at(streamIndex);
  const std::vector<ExpectedSubtitle> expected = ReadExpectedSubtitles(stream.exactFile);
  const QJsonArray lists = GlyphLists(c, streamIndex);
  for (size_t i = 0; i < stream.images.size() && i < expected.size(); ++i) {
    Subtitle s;
    s.start = expected[i].start;
    const QString png = QString::fromStdString(stream.images[i].path);
    QImage picture(png);
    s.labels = QImage(QString(png).replace(".png", ".labels.png"))
                   .convertToFormat(QImage::Format_Grayscale8);
    s.fillOrigin = FillOrigin(picture);
    for (const QJsonValue& glyph : lists.at(static_cast<qsizetype>(i)).toArray()) {
      s.glyphs << glyph.toString();
    }
    s.total.assign(s.glyphs.size() + 1, 0);
    for (int y = 0; y < s.labels.height(); ++y) {
      const uchar* row = s.labels.constScanLine(y);
      for (int x = 0; x < s.labels.width(); ++x) {
        if (row[x] > 0 && row[x] < s.total.size()) ++s.total[row[x]];
      }
    }
    subtitles_.push_back(std::move(s));
  }
}

const LabelledTitle::Subtitle* LabelledTitle::Find(const TimeCode& start) const {
  for (const Subtitle& s : subtitles_) {
    if (s.start == start) return &s;
  }
  return nullptr;
}

QString LabelledTitle::Answer(const TeachRequest& request, const TimeCode& start) const {
  const Subtitle* s = Find(start);
  if (s == nullptr) return {};
  const CharBox& box = request.Box();
  const Colour mark = MarkOf(request.index);
  std::vector<int> inside(s->total.size(), 0);
  for (int y = box.Top; y < box.Top + box.Height; ++y) {
    for (int x = box.Left; x < box.Left + box.Width; ++x) {
      if (request.bitmap.Pixel(x, y) != mark) continue;
      const QPoint at = s->fillOrigin + QPoint(x, y);
      if (!s->labels.valid(at)) continue;
      const int k = s->labels.constScanLine(at.y())[at.x()];
      if (k > 0 && static_cast<size_t>(k) < inside.size()) ++inside[k];
    }
  }
  QString answer;
  for (size_t k = 1; k < inside.size(); ++k) {
    if (2 * inside[k] > s->total[k]) answer += s->glyphs[static_cast<qsizetype>(k - 1)];
  }
  return answer;
}

QString LabelledTitle::LineAnswer(const TeachRequest& request, const TimeCode& start) const {
  const Subtitle* s = Find(start);
  if (s == nullptr) return {};
  const TextLine& line = request.Line();
  std::vector<int> inside(s->total.size(), 0);
  for (int y = s->fillOrigin.y() + line.top; y <= s->fillOrigin.y() + line.bottom; ++y) {
    if (y < 0 || y >= s->labels.height()) continue;
    const uchar* row = s->labels.constScanLine(y);
    for (int x = 0; x < s->labels.width(); ++x) {
      if (row[x] > 0 && row[x] < inside.size()) ++inside[row[x]];
    }
  }
  QString answer;
  for (size_t k = 1; k < inside.size(); ++k) {
    if (2 * inside[k] > s->total[k]) answer += s->glyphs[static_cast<qsizetype>(k - 1)];
  }
  return answer;
}

}  // namespace capter::testing
