// Faults found by probing the program from outside, one group per fault: a save cut off by a
// stop, sounds the mixer cannot convert, names the file cannot hold, huge pictures, and start-up
// refusals. The wider sweeps over broken files live in fault_injection.sh.
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/picture_size.h"
#include "platform/sdl_audio.h"
#include "platform/sdl_image_decoder.h"
#include "runtime/services/files.h"
#include "runtime/services/posix_file.h"
#include "support/game_session.h"
#include "support/scoped_env.h"
#include "support/test_support.h"
#include "unit/files_test_support.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names_in(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

struct FilesFixture : files_test::FilesFixture {
  void TearDown() override { host::Replacement::allow_unnamed_files(true); }
};

// Fault 1: the shutdown used to put a half-written table in place of the old one.
TEST_F(FilesFixture, StopDuringSaveKeepsTheOldTableWithOrWithoutUnnamedFiles) {
  for (const bool unnamed : {true, false}) {
    host::Replacement::allow_unnamed_files(unnamed);
    Errors stopped{hub};
    Files saving{stopped, nullptr};
    const std::string path = dir.file("score.txt");
    test::write_file(path, "old table\r\n");
    saving.file_open(path, kModeOutput, kAccessAny, kLockNone, 1, 0, false);
    saving.file_print(1, " 9000", true, true, false);
    stopped.raise_error(5);  // the stop may come with an error pending
    saving.close_all();
    EXPECT_EQ(test::read_file(path), "old table\r\n") << "unnamed files " << unnamed;
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"score.txt"});
  }
}

TEST_F(FilesFixture, NextSaveRemovesTheNewContentsOfKilledSaversOnly) {
  const std::string path = dir.file("score.txt");
  test::write_file(path, "old");
  const std::string mine = ".score.txt." + std::to_string(::getpid()) + "-7.tmp";
  for (const auto& name :
       {std::string(".score.txt.99999999-0.tmp"), mine, std::string(".score.txt.x-1.tmp"),
        std::string(".other.txt.99999999-0.tmp")}) {
    test::write_file(dir.file(name), "left behind");
  }
  open("score.txt", kModeOutput);
  files.file_print(1, "new", false, false, true);
  files.file_close(1, true);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_EQ(test::read_file(path), "new\r\n");
  std::vector<std::string> kept = {".other.txt.99999999-0.tmp", ".score.txt.x-1.tmp", mine,
                                   "score.txt"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(names_in(dir.path()), kept);
}

// Fault 3: every name the game may hold, written as the game writes it and read back as it reads
// it, comes back as the stored form; typed names and names already safe are stored unchanged.
TEST_F(FilesFixture, EverySavedNameLoadsBackAsStored) {
  struct Case {
    std::string name, stored;
  };
  const std::vector<Case> cases = {
      {"AAA", "AAA"},           {"ZQX", "ZQX"},        {"A B", "A B"},
      {"\a\x01", "\a\x01"},     {"", "\"\""},          {"A,B", "\"A,B\""},
      {"\"Q", "\"'Q\""},        {"A\"B", "A\"B"},      {"C\r", "\"C\r\""},
      {"L\nF", "\"L\nF\""},     {"Z\x1aZ", "\"Z?Z\""}, {" LEAD", "\" LEAD\""},
      {"TRAIL ", "\"TRAIL \""}, {"\tT", "\"\tT\""},    {"\r\n", "\"\r\n\""},
      {"\"", "\"'\""}};
  const std::string path = dir.file("score.txt");
  open("score.txt", kModeOutput);
  for (const Case& c : cases) {
    EXPECT_EQ(storable_name(c.name), c.stored) << c.name;
    files.file_print(1, " 100", true, true, false);
    files.file_print(1, storable_name(c.name), false, false, true);
  }
  files.file_close(1, true);
  open("score.txt", kModeInput);
  for (const Case& c : cases) {
    EXPECT_EQ(files.file_input_number(1, NumberType::kSingle), 100);
    std::string loaded;
    files.file_input_string(1, loaded);
    const bool quoted = c.stored.size() >= 2 && c.stored.front() == '"' && c.name != c.stored;
    EXPECT_EQ(loaded, quoted ? c.stored.substr(1, c.stored.size() - 2) : c.name);
    EXPECT_EQ(errors.pending(), 0) << "name " << c.name;
  }
  for (char a = 'A'; a <= 'Z'; ++a) EXPECT_EQ(storable_name(std::string(3, a)), std::string(3, a));
}

TEST(ShownName, ControlBytesAreShownAsQuestionMarksAndLongNamesAreCut) {
  EXPECT_EQ(shown_name("AAA"), "AAA");
  EXPECT_EQ(shown_name("\a\a\r\n\x7f"
                       "B"),
            "?????B");
  EXPECT_EQ(shown_name(std::string(1 << 20, 'N')), std::string(24, 'N'));
}

// Fault 2: the mixer's converter chains at most nine filters; SDL 1.2 builds these counts.
TEST(SoundDecision, ConversionFiltersFollowSdlsConverter) {
  struct Case {
    uint16_t format;
    int channels, rate;
    std::optional<int> filters;
  };
  const std::vector<Case> cases = {
      {AUDIO_S16LSB, 2, 22050, 0},      {AUDIO_S16LSB, 2, 22099, 0},  {AUDIO_U8, 1, 11025, 4},
      {AUDIO_S16MSB, 4, 44100, 3},      {AUDIO_S16LSB, 6, 22050, 1},  {AUDIO_S16LSB, 3, 22050, 0},
      {AUDIO_S16LSB, 3, 44100, {}},     {AUDIO_S16LSB, 0, 22050, {}}, {AUDIO_S16LSB, 2, 0, {}},
      {AUDIO_S16LSB, 2, 32, 9},         {AUDIO_S16LSB, 1, 32, 10},    {AUDIO_S16LSB, 2, 1, 14},
      {AUDIO_S16LSB, 2, 100000000, 12}, {AUDIO_S16LSB, 2, 44100, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(conversion_filters(c.format, c.channels, c.rate), c.filters)
        << c.format << " " << c.channels << " " << c.rate;
  }
}

// Fault 4: the size comes from the header, before any decoding.
TEST(PictureSize, HeadersOfEveryFormatGiveTheirSize) {
  struct Case {
    std::string bytes, extension;
    std::optional<std::pair<int64_t, int64_t>> size;
  };
  using namespace std::string_literals;
  const std::string kPngHead = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s;
  const std::string kPngTail = "\x08\0\0\0\0CRC!\0\0\0\0IENDCRC!"s;
  const std::vector<Case> cases = {
      {kPngHead + "\0\0\x1f\x40\0\0\x3e\x80"s + kPngTail, "xxx", {{8000, 16000}}},
      {kPngHead + "\0\0\0\x10\0\0\0\x10"s + kPngTail.substr(0, 20), "xxx", {}},  // cut short
      {"GIF89a\x40\x01\x2c\x01\0\0\0,\0\0\0\0\xff\xff\x01\0"s, "xxx", {{65535, 300}}},
      {"BM"s + std::string(12, '\0') + "\x28\0\0\0\x10\0\0\0\xf0\xff\xff\xff"s, "xxx", {{16, 16}}},
      {"\xff\xd8\xff\xe0\0\x04\0\0\xff\xc0\0\x11\x08\x01\x2c\x01\x40"s, "xxx", {{320, 300}}},
      {"P5\n# comment\n 640 480\n255\n"s, "xxx", {{640, 480}}},
      {std::string(12, '\0') + "\x40\x01\x2c\x01"s, "TGA", {{320, 300}}},
      {"\x0a\x05\x01\x08\0\0\0\0\x3f\x01\x2b\x01"s, "xxx", {{320, 300}}},
      {"gimp xcf file\0\0\0\x01\0\0\0\x02\0"s, "xxx", {{256, 512}}},
      {"/* XPM */\nstatic char *x[] = {\n\"48 4 2 1\","s, "xxx", {{48, 4}}},
      {"II*\0\x08\0\0\0\x02\0\0\x01\x03\0\x01\0\0\0\x20\0\0\0\x01\x01\x04\0\x01\0\0\0\x10\0\0\0"s,
       "xxx",
       {{32, 16}}},
      {"\x89PNG\r\n\x1a\n\0\0"s, "xxx", {}},
      {"hello, world", "xxx", {}},
      {"", "xxx", {}}};
  for (const Case& c : cases) {
    const auto size = picture_size(c.bytes, c.extension);
    ASSERT_EQ(size.has_value(), c.size.has_value()) << testing::PrintToString(c.bytes);
    if (size) {
      EXPECT_EQ(std::make_pair(size->width, size->height), *c.size);
    }
  }
  EXPECT_TRUE(picture_size_allowed({4096, 4096}));
  EXPECT_TRUE(picture_size_allowed({8192, 2048}));
  EXPECT_FALSE(picture_size_allowed({8000, 8000}));
  EXPECT_FALSE(picture_size_allowed({8193, 1}));
  EXPECT_FALSE(picture_size_allowed({0, 5}));
}

// A valid 8000x8000 picture of a few kilobytes: it used to be decoded (64 million pixels).
TEST(PictureSize, OversizedPictureIsRefusedBeforeDecoding) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 8000;
  image.height = 8000;
  image.format = PNG_FORMAT_GRAY;
  std::vector<uint8_t> pixels(size_t{8000} * 8000, 0);
  png_alloc_size_t bytes = 0;
  ASSERT_TRUE(png_image_write_to_memory(&image, nullptr, &bytes, 0, pixels.data(), 0, nullptr));
  std::string file(bytes, '\0');
  ASSERT_TRUE(png_image_write_to_memory(&image, file.data(), &bytes, 0, pixels.data(), 0, nullptr));
  pixels = {};
  test::TempDir dir;
  test::write_file(dir.file("huge.xxx"), file);
  SdlImageDecoder decoder;
  EXPECT_FALSE(decoder.decode(dir.file("huge.xxx")));
  image.width = image.height = 64;  // the same picture within the limits decodes
  std::vector<uint8_t> small(64 * 64, 0);
  ASSERT_TRUE(png_image_write_to_memory(&image, file.data(), &bytes, 0, small.data(), 0, nullptr));
  EXPECT_TRUE(decode_picture(std::string_view(file.data(), bytes), "xxx"));
}

// Faults 5 and 6: start-up refusals are one line and a status.
TEST(StartUp, BadFoldersAndAMissingDisplayAreOneLineAndAStatus) {
  test::TempDir dir;
  test::write_file(dir.file("file"), "x");
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const std::vector<Case> cases = {{{"--headless", "--dir", dir.file("missing")}, 2},
                                   {{"--headless", "--dir", dir.file("file")}, 2},
                                   {{"--headless", "--dir", ""}, 2},
                                   {{"--window", "--mute", "--dir", dir.path()}, 100}};
  const char* display = std::getenv("DISPLAY");
  const std::string saved = display ? display : "";
  unsetenv("DISPLAY");
  unsetenv("SDL_VIDEODRIVER");
  for (const Case& c : cases) {
    const test::ProcessResult r = test::run_kelvo(c.args, 30);
    EXPECT_EQ(r.status, c.status) << testing::PrintToString(c.args) << r.errorOutput;
    EXPECT_EQ(std::count(r.errorOutput.begin(), r.errorOutput.end(), '\n'), 1) << r.errorOutput;
  }
  if (display) setenv("DISPLAY", saved.c_str(), 1);
}

TEST(StartUp, MutedWindowRunsNeverStartTheAudioSubsystem) {
  test::ScopedEnv video("SDL_VIDEODRIVER", "dummy");
  test::ScopedEnv audio("SDL_AUDIODRIVER", "dummy");  // would start, were it asked to
  test::TempDir work, game;
  test::make_game_dir(game.path());
  const auto result =
      test::run_in_process({"--window", "--mute", "--dir", game.path()}, "1 close\n", work.path());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

}  // namespace
}  // namespace kelvo
