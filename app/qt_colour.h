// The widget boundary of the program's colours: core colours are 0x00BBGGRR
// values, Qt's are QColor.
#pragma once

#include <QColor>

#include "stream/picture.h"

namespace capter {

inline QColor ToQColor(Colour c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

inline Colour FromQColor(const QColor& c) {
  return MakeColour(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                    static_cast<uint8_t>(c.blue()));
}

}  // namespace capter
