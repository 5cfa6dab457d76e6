#include "app/program_directory.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

TEST(ProgramDirectory, AnUnwritableProgramFolderKeepsItsFilesInTheUserFolder) {
  EXPECT_EQ(UserSettingsDirectory("/x/cfg", "/home/u"), "/x/cfg/capter/");
  EXPECT_EQ(UserSettingsDirectory(nullptr, "/home/u/"), "/home/u/.config/capter/");
  // A relative XDG_CONFIG_HOME is ignored, as the XDG rules say.
  EXPECT_EQ(UserSettingsDirectory("cfg", "/home/u"), "/home/u/.config/capter/");
  EXPECT_EQ(UserSettingsDirectory(nullptr, nullptr), "");

  EXPECT_EQ(SettingsDirectoryFor("/opt/capter/", true, "/home/u/.config/capter/"), "/opt/capter/");
  EXPECT_EQ(SettingsDirectoryFor("/usr/bin/", false, "/home/u/.config/capter/"),
            "/home/u/.config/capter/");
  EXPECT_EQ(SettingsDirectoryFor("/usr/bin/", false, ""), "/usr/bin/");
}

}  // namespace
}  // namespace capter
