// Helpers for the asset tests: the files the game opens, reading generated pictures with
// SDL_image, running the generator.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/asset_table.h"
#include "game/game.h"
#include "platform/sdl_audio.h"
#include "platform/sdl_image_decoder.h"
#include "support/fake_clock.h"
#include "support/test_support.h"

namespace kelvo::asset_tests {

inline std::filesystem::path built_assets() {
  return std::filesystem::path(KELVO_BUILD_DIR) / "rurazedudi";
}

inline std::string base_name(const std::string& path) {
  return path.substr(path.find_last_of("/\\") + 1);
}

// The files the game opens, by base name, in its order, with the handles they got.
struct GameFiles {
  std::vector<std::string> pictures, sounds;
  std::vector<int32_t> soundHandles;
};

// Starts the game in the build directory, as the player would, and stops it at the boot screen's
// first wait, once every picture and sound is open: the game's own requests name the files.
inline const GameFiles& game_files() {
  static const GameFiles files = [] {
    struct Recorder : SdlImageDecoder {
      std::optional<DecodedPicture> decode(const std::string& name) override {
        names.push_back(base_name(name));
        return SdlImageDecoder::decode(name);
      }
      std::vector<std::string> names;
    };
    struct StopAtFirstWait : test::FakeClock {
      void sleep_ms(uint32_t) override { rt->platform().request_stop(); }
      Runtime* rt = nullptr;
    };
    StopAtFirstWait clock;
    Runtime rt(clock, TimeReference{clock.now, 0});
    clock.rt = &rt;
    Recorder decoder;
    SilentAudio audio;
    rt.set_image_decoder(&decoder);
    rt.platform().set_audio(&audio);
    test::TempDir dir;
    rt.platform().open_trace(dir.file("trace.txt"));
    GameState state;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(built_assets().parent_path());
    try {
      run_game(rt, state);
    } catch (const ProgramEnded&) {
    }
    std::filesystem::current_path(before);
    rt.platform().close_trace();
    GameFiles found;
    found.pictures = decoder.names;
    for (const std::string& line : test::read_lines(dir.file("trace.txt"))) {
      const size_t at = line.find(" sound_open ");
      if (at == std::string::npos) continue;
      const std::string rest = line.substr(at + 12);
      found.sounds.push_back(base_name(rest.substr(0, rest.find(' '))));
      found.soundHandles.push_back(std::stoi(rest.substr(rest.find(' ') + 1)));
    }
    return found;
  }();
  return files;
}

// A decoded 8-bit picture: palette indexes and the file's palette.
struct Indexed {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
  std::vector<SDL_Color> palette;
  bool ok = false;
  uint8_t at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return pixels[static_cast<size_t>(y) * width + x];
  }
  bool black(uint8_t index) const {
    const SDL_Color& c = palette[index];
    return c.r == 0 && c.g == 0 && c.b == 0;
  }
};

inline Indexed load_picture(const std::string& file) {
  Indexed out;
  SDL_Surface* s = IMG_Load((built_assets() / file).string().c_str());
  if (!s) return out;
  if (s->format->BitsPerPixel == 8 && s->format->palette) {
    out.width = s->w;
    out.height = s->h;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y) {
      const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
      out.pixels.insert(out.pixels.end(), row, row + s->w);
    }
    SDL_UnlockSurface(s);
    out.palette.assign(s->format->palette->colors,
                       s->format->palette->colors + s->format->palette->ncolors);
    out.palette.resize(256, SDL_Color{0, 0, 0, 0});
    out.ok = true;
  }
  SDL_FreeSurface(s);
  return out;
}

// Runs the generator into `dir`; true on success.
inline bool run_generator(const std::filesystem::path& dir) {
  const auto generator = std::filesystem::path(KELVO_BUILD_DIR) / "tools" / "kelvo_assets";
  const std::string command = "\"" + generator.string() + "\" \"" + dir.string() + "\"";
  return std::system(command.c_str()) == 0;
}

}  // namespace kelvo::asset_tests
