// The generated asset folder: every file the game opens exists, decodes, and is reproducible.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "assets_test_support.h"
#include "runtime/display/default_palette.h"

namespace kelvo::asset_tests {
namespace {

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::set<std::string> names_in(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

TEST(AssetFiles, EveryFileTheGameOpensExistsWithItsExactName) {
  const std::set<std::string> present = names_in(built_assets());
  for (const std::string& file : picture_files()) EXPECT_TRUE(present.count(file)) << file;
  for (const std::string& file : sound_files()) EXPECT_TRUE(present.count(file)) << file;
  EXPECT_TRUE(present.count("score.txt"));
}

TEST(AssetFiles, PicturesDecodeAsIndexedImagesInTheDefaultPalette) {
  const Palette& palette = default_palette();
  for (const std::string& file : picture_files()) {
    const Indexed p = load_picture(file);
    ASSERT_TRUE(p.ok) << file << " does not decode as an 8-bit picture";
    EXPECT_GT(p.width, 0) << file;
    EXPECT_GT(p.height, 0) << file;
    std::vector<bool> used(256, false);
    for (uint8_t index : p.pixels) used[index] = true;
    for (int i = 0; i < 256; ++i) {
      if (!used[i]) continue;
      const SDL_Color& c = p.palette[i];
      EXPECT_EQ(c.r, red_of(palette[i])) << file << " colour " << i;
      EXPECT_EQ(c.g, green_of(palette[i])) << file << " colour " << i;
      EXPECT_EQ(c.b, blue_of(palette[i])) << file << " colour " << i;
    }
  }
}

TEST(AssetFiles, SoundsAre16BitMonoAt22050HzAndOpenInTheMixer) {
  for (const std::string& file : sound_files()) {
    SDL_AudioSpec wav{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    const std::string path = (built_assets() / file).string();
    ASSERT_NE(SDL_LoadWAV(path.c_str(), &wav, &buffer, &length), nullptr) << file;
    EXPECT_EQ(wav.freq, 22050) << file;
    EXPECT_EQ(wav.format, AUDIO_S16LSB) << file;
    EXPECT_EQ(wav.channels, 1) << file;
    EXPECT_GT(length, 1000u) << file;
    SDL_FreeWAV(buffer);
  }
  // The mixer decodes them too; without a sound card the dummy driver stands in.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0)
    GTEST_SKIP() << "no audio device: " << SDL_GetError();
  for (const std::string& file : sound_files()) {
    Mix_Chunk* chunk = Mix_LoadWAV((built_assets() / file).string().c_str());
    EXPECT_NE(chunk, nullptr) << file << ": " << Mix_GetError();
    if (chunk) Mix_FreeChunk(chunk);
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

TEST(AssetFiles, GeneratorIsDeterministicAndMatchesTheBuild) {
  const auto first = fresh_temp_dir("first");
  const auto second = fresh_temp_dir("second");
  ASSERT_TRUE(run_generator(first));
  ASSERT_TRUE(run_generator(second));
  const std::set<std::string> names = names_in(first);
  EXPECT_EQ(names, names_in(second));
  for (const std::string& name : names) {
    const std::string bytes = read_file(first / name);
    EXPECT_EQ(bytes, read_file(second / name)) << name << " differs between two runs";
    if (name != "score.txt") {
      EXPECT_EQ(bytes, read_file(built_assets() / name)) << name << " differs from the build's";
    }
  }
  std::filesystem::remove_all(first);
  std::filesystem::remove_all(second);
}

TEST(ScoreFile, DefaultTableIsWrittenOnlyWhenMissing) {
  std::string expected;
  for (int score = 1000; score >= 100; score -= 100) {
    std::string line = " " + std::to_string(score);
    expected += line + std::string(14 - line.size(), ' ') + "AAA\r\n";
  }
  ASSERT_EQ(expected.size(), 190u);  // ten lines of 17 characters plus CR LF

  const auto fresh = fresh_temp_dir("fresh_scores");
  ASSERT_TRUE(run_generator(fresh));
  EXPECT_EQ(read_file(fresh / "score.txt"), expected);

  const auto kept = fresh_temp_dir("kept_scores");
  const std::string players = " 52300        DOC\r\n";
  std::ofstream(kept / "score.txt", std::ios::binary) << players;
  ASSERT_TRUE(run_generator(kept));
  EXPECT_EQ(read_file(kept / "score.txt"), players);
  std::filesystem::remove_all(fresh);
  std::filesystem::remove_all(kept);
}

}  // namespace
}  // namespace kelvo::asset_tests
