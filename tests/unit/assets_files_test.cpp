// The generated asset folder: every file the game opens exists and decodes, the generator is
// reproducible, and the art keeps the rules the game relies on (see-through pictures show no
// pure black, skies reach the screen's bottom, screens leave room for their text, animations
// move, music loops join).
#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "assets_test_support.h"
#include "platform/mixer_library.h"
#include "runtime/display/default_palette.h"

namespace kelvo::asset_tests {
namespace {

std::set<std::string> names_in(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

TEST(AssetFiles, EveryFileTheGameOpensIsThereAndIsAnIndexedPictureOrAMonoSound) {
  const GameFiles& files = game_files();
  std::set<std::string> opened(files.pictures.begin(), files.pictures.end());
  opened.insert(files.sounds.begin(), files.sounds.end());
  opened.insert("score.txt");
  EXPECT_EQ(opened, names_in(built_assets()));  // no file missing, none left over
  for (const std::string& file : files.pictures) {
    const Indexed p = load_picture(file);
    ASSERT_TRUE(p.ok) << file << " does not decode as an 8-bit picture";
    std::vector<bool> used(256, false);
    for (uint8_t index : p.pixels) used[index] = true;
    for (int i = 0; i < 256; ++i) {
      const uint32_t c = default_palette()[i];
      EXPECT_TRUE(!used[i] || (p.palette[i].r == red_of(c) && p.palette[i].g == green_of(c) &&
                               p.palette[i].b == blue_of(c)))
          << file << " colour " << i << " is not the default palette's";
    }
  }
  for (size_t i = 0; i < files.sounds.size(); ++i) {
    EXPECT_EQ(files.soundHandles[i], static_cast<int32_t>(i) + 2) << files.sounds[i];
    SDL_AudioSpec wav{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV((built_assets() / files.sounds[i]).c_str(), &wav, &buffer, &length),
              nullptr)
        << files.sounds[i];
    EXPECT_EQ(wav.freq, 22050) << files.sounds[i];
    EXPECT_EQ(wav.format, AUDIO_S16LSB) << files.sounds[i];
    EXPECT_EQ(wav.channels, 1) << files.sounds[i];
    SDL_FreeWAV(buffer);
  }
  // The mixer decodes them too; without a sound card the dummy driver stands in.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const kelvo::MixerLibrary* mix = kelvo::mixer_library();
  ASSERT_NE(mix, nullptr) << kelvo::mixer_load_error();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || mix->OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0)
    GTEST_SKIP() << "no audio device: " << SDL_GetError();
  for (const std::string& file : files.sounds) {
    Mix_Chunk* chunk = mix->LoadWAV_RW(SDL_RWFromFile((built_assets() / file).c_str(), "rb"), 1);
    EXPECT_NE(chunk, nullptr) << file << ": " << Mix_GetError();
    if (chunk) mix->FreeChunk(chunk);
  }
  mix->CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

TEST(AssetFiles, GeneratorIsDeterministicAndWritesTheScoreTableOnlyWhenMissing) {
  test::TempDir first, second;
  const std::string players = " 52300        DOC\r\n";
  test::write_file(second.file("score.txt"), players);
  ASSERT_TRUE(run_generator(first.path()));
  ASSERT_TRUE(run_generator(second.path()));
  const std::set<std::string> names = names_in(first.path());
  EXPECT_EQ(names, names_in(second.path()));
  for (const std::string& name : names) {
    if (name == "score.txt") continue;
    const std::string bytes = test::read_file(first.file(name));
    EXPECT_EQ(bytes, test::read_file(second.file(name))) << name << " differs between two runs";
    EXPECT_EQ(bytes, test::read_file((built_assets() / name).string())) << name;
  }
  std::string table;
  for (int score = 1000; score >= 100; score -= 100) {
    const std::string line = " " + std::to_string(score);
    table += line + std::string(14 - line.size(), ' ') + "AAA\r\n";
  }
  EXPECT_EQ(test::read_file(first.file("score.txt")), table);
  EXPECT_EQ(test::read_file(second.file("score.txt")), players);
}

// Index 0 is the see-through colour; the game matches colours when it loads a picture, so any
// other pure-black entry (16, 248 to 255) would turn see-through too.
TEST(PictureArt, SeeThroughPicturesUseNoOtherPureBlack) {
  for (const std::string& file : game_files().pictures) {
    if (opaque_picture(file)) continue;
    const Indexed p = load_picture(file);
    const auto visible =
        std::count_if(p.pixels.begin(), p.pixels.end(), [](uint8_t i) { return i; });
    const auto black = std::count_if(p.pixels.begin(), p.pixels.end(),
                                     [&](uint8_t i) { return i != 0 && p.black(i); });
    EXPECT_EQ(black, 0) << file;
    EXPECT_GT(visible, 0) << file << " is empty";
  }
}

TEST(PictureArt, SkiesCoverTheScreenAtEveryCameraHeightAndScreensLeaveRoomForText) {
  // Level 1 and the storm follow -heroY / 1.8 with heroY up to 530; the other levels stop at
  // -253.
  for (auto [file, lowestTop] : {std::pair{"fondaube.xxx", -530 / 1.8},
                                 {"fondpluienuitorage.xxx", -530 / 1.8},
                                 {"fondmatin.xxx", -253.0},
                                 {"fondmidi.xxx", -253.0},
                                 {"fondapresmidi.xxx", -253.0},
                                 {"fondpluiejour.xxx", -253.0},
                                 {"fondsoir.xxx", -253.0},
                                 {"fondnuit.xxx", -253.0},
                                 {"fondpluienuit.xxx", -253.0}}) {
    const Indexed p = load_picture(file);
    EXPECT_EQ(p.width, 320) << file;
    EXPECT_GE(lowestTop + p.height, 300) << file;
  }
  for (const char* file : {"pluie1.xxx", "pluie2.xxx", "pluie3.xxx"}) {
    EXPECT_EQ(load_picture(file).width, 320) << file;
    EXPECT_EQ(load_picture(file).height, 300) << file;
  }
  // The title is drawn at (0, 0); "INSERT COIN" and the credits use text rows 14 and below.
  const Indexed title = load_picture("titre.xxx");
  EXPECT_TRUE(std::all_of(title.pixels.begin() + 13 * 16 * title.width, title.pixels.end(),
                          [](uint8_t p) { return p == 0; }));
  // The game-over emblem is drawn at (95, 45), above "GAME OVER" on text row 13.
  const Indexed over = load_picture("gameover.xxx");
  EXPECT_LE(95 + over.width, 320);
  EXPECT_LE(45 + over.height, 12 * 16);
}

// Every animation shows movement from each frame to the next, the last one back to the first;
// facing left is facing right mirrored.
TEST(PictureArt, AnimationFramesDifferFromTheirNeighbours) {
  // clang-format off
  const char* cycles[] = {
      "baril baril2 baril3 baril4", "banane banane2 banane3 banane4", "oiseau1 oiseau2 oiseau3 oiseau4",
      "montgolfiere1 montgolfiere2 montgolfiere3 montgolfiere4 montgolfiere5",
      "chaudronh1 chaudronh2 chaudronh3 chaudronh4", "chaudronb1 chaudronb2 chaudronb3 chaudronb4",
      "grue1 grue2 grue3 grue4 grue5 grue3", "ambulance1 ambulance2", "ovni1 ovni2", "pluie1 pluie2 pluie3",
      "kong1 kong2", "mario-luigi11 mario-luigi12", "mariofall1 mariofall2", "obus1 obus2",
      "mario_ech1 mario_ech2 mario_ech3 mario_ech4", "mario_obus4 mario_obus5", "mario_obus6 mario_obus7",
      "qbertbonus1 qbertbonus2 qbertbonus3 qbertbonus4", "pitfallbonus1 pitfallbonus2",
      "docpause1 docpause2 docpause3 docpause4 docpause5", "dockoar1g dockoar2g dockoar3g dockoar4g",
      "hro01 hro02 hro03", "superhro01 superhro03", "pitfall_a pitfall_b", "pengo1 pengo2",
      "frogger1 frogger2", "qbert_a qbert_b", "pacman1 pacman2", "pooyan_a pooyan_b", "joust_a joust_b",
      "junglehunt1 junglehunt2", "et_a et_b",
      // The throw: eight steps of the barrel countdown, each one a different picture.
      "mario-luigi1 mario-luigi2 mario-luigi3 mario-luigi4 mario-luigi5 mario-luigi6 mario-luigi7 mario-luigi8"};
  // clang-format on
  for (const char* cycle : cycles) {
    std::istringstream in(cycle);
    std::vector<std::string> frames;
    for (std::string name; in >> name;) frames.push_back(name + ".xxx");
    for (size_t i = 0; i < frames.size(); ++i) {
      const std::string& a = frames[i];
      const std::string& b = frames[(i + 1) % frames.size()];
      const Indexed pa = load_picture(a), pb = load_picture(b);
      ASSERT_TRUE(pa.ok && pb.ok) << a << " " << b;
      if (frames.size() == 8 && i == 7) continue;  // the countdown does not cycle
      EXPECT_TRUE(pa.width != pb.width || pa.height != pb.height || pa.pixels != pb.pixels)
          << a << " and " << b << " are the same picture";
    }
  }
  for (auto [right, left] : {std::pair{"hro01", "hro01g"},
                             {"hro02", "hro02g"},
                             {"hro03", "hro03g"},
                             {"docpause1", "docpause_g1"},
                             {"superhro01", "superhro01g"},
                             {"superhro03", "superhro03g"}}) {
    const Indexed r = load_picture(std::string(right) + ".xxx");
    const Indexed l = load_picture(std::string(left) + ".xxx");
    bool mirrored = r.width == l.width && r.height == l.height;
    for (int y = 0; mirrored && y < r.height; ++y)
      for (int x = 0; x < r.width; ++x) mirrored &= r.at(x, y) == l.at(r.width - 1 - x, y);
    EXPECT_TRUE(mirrored) << left << " is not " << right << " mirrored";
  }
}

std::vector<int16_t> samples(const std::string& file) {
  SDL_AudioSpec spec{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  std::vector<int16_t> out;
  if (!SDL_LoadWAV((built_assets() / file).string().c_str(), &spec, &buffer, &length)) return out;
  out.assign(reinterpret_cast<int16_t*>(buffer), reinterpret_cast<int16_t*>(buffer) + length / 2);
  SDL_FreeWAV(buffer);
  return out;
}

int peak(const std::vector<int16_t>& s, size_t count) {
  int found = 0;
  for (size_t i = 0; i < std::min(count, s.size()); ++i)
    found = std::max(found, std::abs(static_cast<int>(s[i])));
  return found;
}

// Sounds are heard, do not clip, and fit the moment the game plays them in (at 120 frames a
// second); a looped sound clicks when its last sample jumps to its first.
TEST(SoundArt, SoundsFitTheirMomentsAndLoopsJoinWithoutAClick) {
  for (const std::string& file : game_files().sounds) {
    const std::vector<int16_t> s = samples(file);
    EXPECT_GT(peak(s, s.size()), 3000) << file;
    const auto clipped = std::count_if(
        s.begin(), s.end(), [](int16_t v) { return std::abs(static_cast<int>(v)) >= 32000; });
    EXPECT_LE(clipped, static_cast<long>(s.size() / 1000)) << file;
  }
  // The introduction lasts 420 frames, the completion sequence stops its music after 300, initials
  // keys repeat every 30 frames at 60.
  // clang-format off
  for (auto [file, longest] : {std::pair{"level.yyy", 3.5}, {"music2.yyy", 2.5}, {"jump.yyy", 40 / 120.0},
                               {"beep.yyy", 0.5}, {"coeur4.yyy", 1.0}, {"coeur4b.yyy", 1.0}, {"bonus.yyy", 1.0}})
    EXPECT_LT(samples(file).size() / 22050.0, longest) << file;
  // clang-format on
  EXPECT_GT(samples("music3.yyy").size() / 22050.0, 8.0);  // a loop long enough not to nag
  EXPECT_GT(samples("hurry.yyy").size() / 22050.0, 4.0);
  EXPECT_GT(peak(samples("rire.yyy"), 22050 / 120), 4000);  // restarted every frame: heard at once
  for (const char* file : {"music3.yyy", "music3_2x.yyy", "hurry.yyy"}) {
    const std::vector<int16_t> s = samples(file);
    EXPECT_LT(std::abs(static_cast<int>(s.front())), 300) << file;
    EXPECT_LT(std::abs(s.back() - s.front()), 300) << file;
  }
  EXPECT_NEAR(1.0 * samples("music3.yyy").size() / samples("music3_2x.yyy").size(), 2.0, 0.01);
}

}  // namespace
}  // namespace kelvo::asset_tests
