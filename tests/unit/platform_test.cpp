// Host paths, the --time argument and the window scale. Every option and script command the
// goldens use is parsed by their runs; the refused ones are in recording_test.cpp.
#include <gtest/gtest.h>

#include "platform/options.h"
#include "platform/screenshot_file.h"
#include "platform/system_queries.h"

namespace kelvo {
namespace {

TEST(Host, DirectoryCutsAtTheLastSeparator) {
  EXPECT_EQ(directory_of("/usr/games/kelvo"), "/usr/games");
  EXPECT_EQ(directory_of("C:\\games\\kelvo.exe"), "C:\\games");
  EXPECT_EQ(directory_of("C:kelvo.exe"), "C:");
  EXPECT_EQ(directory_of("kelvo"), "");
  EXPECT_TRUE(executable_directory().has_value());
}

TEST(Host, TimeOfDayArgument) {
  for (auto [text, ms] : {std::pair{"12:00:00", 43200000u}, std::pair{"23:59:59.999", 86399999u},
                          std::pair{"00:00:01.5", 1500u}}) {
    EXPECT_EQ(parse_time_of_day(text), ms) << text;
  }
  for (const char* bad : {"00:00:01.5000", "24:00:00", "12:00", "12:00:00x"}) {
    EXPECT_FALSE(parse_time_of_day(bad)) << bad;
  }
}

TEST(Host, PicturesFolderFromTheEnvironmentUserDirsOrHome) {
  const std::string userDirs =
      "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
  EXPECT_EQ(pictures_directory("/shots", userDirs, "/home/p"), "/shots");
  EXPECT_EQ(pictures_directory("shots", userDirs, "/home/p"), "/home/p/Bilder");
  EXPECT_EQ(pictures_directory(nullptr, "XDG_PICTURES_DIR=\"/srv/pics\"\n", ""), "/srv/pics");
  EXPECT_EQ(pictures_directory(nullptr, "XDG_PICTURES_DIR=\"Pics\"\n", "/home/p"),
            "/home/p/Pictures");
  EXPECT_EQ(pictures_directory(nullptr, "", ""), "");
}

TEST(Options, ScaleIsAWholeNumberFromOneToEight) {
  std::string error;
  const char* good[] = {"kelvo", "--window", "--scale", "8"};
  const auto o = parse_options(4, good, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->windowScale, 8);
  for (const char* scale : {"0", "9", "2x"}) {
    const char* bad[] = {"kelvo", "--scale", scale};
    EXPECT_FALSE(parse_options(3, bad, error)) << scale;
  }
}

}  // namespace
}  // namespace kelvo
