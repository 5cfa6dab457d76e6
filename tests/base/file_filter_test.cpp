#include "base/file_filter.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

TEST(FileFilter, BarFormBecomesQtFormWithoutRepeatingPatterns) {
  EXPECT_EQ(QtFileFilter("Capter File (*.cpt)|*.cpt|Text File (*.txt)|*.txt|All|*.*"),
            "Capter File (*.cpt);;Text File (*.txt);;All (*.*)");
  EXPECT_EQ(QtFileFilter("Image File (*.bmp;*.jpg)|*.bmp;*.jpg|All|*.*"),
            "Image File (*.bmp *.jpg);;All (*.*)");
  EXPECT_EQ(QtFileFilterEntry("VOB (*.vob)|*.vob|VTS Ifo (vts_*.ifo)|vts_*.ifo", 1),
            "VTS Ifo (vts_*.ifo)");
  EXPECT_EQ(QtFileFilterEntry("A|*.a", 3), "");
  EXPECT_EQ(QtFileFilter(""), "");
  EXPECT_EQ(ParseFileFilter("Dangling|*.x|Alone").size(), 1u);
}

}  // namespace
}  // namespace capter
