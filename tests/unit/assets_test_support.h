// Helpers for the asset tests: the catalogue of file names, reading generated pictures with
// SDL_image, running the generator.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kelvo::asset_tests {

// Every picture file the game loads, named as the game names them (backslash paths become
// files in the same folder).
inline const std::vector<std::string>& picture_files() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> f = {"titre",      "gameover",     "sol",         "ambulance1",
                                  "ambulance2", "barrieregrue", "infirmiere1", "infirmiere2"};
    auto range = [&f](const std::string& stem, int from, int to, const std::string& suffix = "") {
      for (int i = from; i <= to; ++i) f.push_back(stem + std::to_string(i) + suffix);
    };
    range("montgolfiere", 1, 5);
    range("oiseau", 1, 4);
    range("hro0", 1, 3);
    range("hro0", 1, 3, "g");
    range("docpause", 1, 5);
    range("docpause_g", 1, 5);
    range("dockoar", 1, 4, "g");
    f.insert(f.end(), {"superhro01",
                       "superhro03",
                       "superhro01g",
                       "superhro03g",
                       "baril",
                       "baril2",
                       "baril3",
                       "baril4",
                       "niveau1",
                       "niveaufinal",
                       "fondaube",
                       "fondmatin",
                       "fondmidi",
                       "fondapresmidi",
                       "fondpluiejour",
                       "fondsoir",
                       "fondnuit",
                       "fondpluienuit",
                       "fondpluienuitorage",
                       "ovni1",
                       "ovni2"});
    for (const char* sky : {"aube", "matin", "midi", "soir", "nuitpluie"})
      range(std::string("nuage") + sky, 1, 2);
    f.insert(f.end(), {"boulon", "echelle", "echelle2"});
    range("chaudronh", 1, 4);
    range("chaudronb", 1, 4);
    range("mario-luigi", 1, 12);
    range("mariofall", 1, 2);
    f.insert(f.end(), {"cabane", "help"});
    range("mario_ech", 1, 4);
    f.push_back("chaine");
    f.insert(f.end(), {"pitfall_a",   "pitfall_b",   "pengo1",  "pengo2",        "frogger1",
                       "frogger2",    "qbert_a",     "qbert_b", "pacman1",       "pacman2",
                       "pooyan_a",    "pooyan_b",    "joust_a", "joust_b",       "junglehunt1",
                       "junglehunt2", "et_a",        "et_b",    "pitfallbonus1", "pitfallbonus2",
                       "pengobonus",  "froggerbonus"});
    range("qbertbonus", 1, 4);
    f.insert(f.end(), {"pacmanbonus", "pooyanbonus", "joustbonus", "junglehuntbonus", "ETbonus",
                       "coeur", "coeurtransparent", "barrecoeur", "kong1", "kong2", "kong3",
                       "banane", "banane2", "banane3", "banane4", "crochet"});
    range("grue", 1, 5);
    range("pluie", 1, 3);
    f.insert(f.end(), {"zeppelin", "zeppelin2", "obus1", "obus2"});
    range("mario_obus", 1, 7);
    for (std::string& name : f) name += ".xxx";
    return f;
  }();
  return files;
}

inline const std::vector<std::string>& sound_files() {
  static const std::vector<std::string> files = {
      "level.yyy",   "jump.yyy",   "music3.yyy",  "hurry.yyy",     "music3_2x.yyy",
      "die.yyy",     "fall.yyy",   "banane2.yyy", "tonnerre1.yyy", "coeur4.yyy",
      "coeur4b.yyy", "music2.yyy", "bonus.yyy",   "rire.yyy",      "beep.yyy"};
  return files;
}

// Pictures the game draws without a see-through colour.
inline bool is_opaque_picture(const std::string& file) {
  for (const char* name :
       {"fondaube.xxx", "fondmatin.xxx", "fondmidi.xxx", "fondapresmidi.xxx", "fondpluiejour.xxx",
        "fondsoir.xxx", "fondnuit.xxx", "fondpluienuit.xxx", "fondpluienuitorage.xxx",
        "gameover.xxx", "sol.xxx", "barrieregrue.xxx", "barrecoeur.xxx"})
    if (file == name) return true;
  return false;
}

inline std::filesystem::path built_assets() {
  return std::filesystem::path(KELVO_BUILD_DIR) / "rurazedudi";
}

inline std::filesystem::path generator() {
  return std::filesystem::path(KELVO_BUILD_DIR) / "tools" / "kelvo_assets";
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

inline Indexed load_indexed(const std::filesystem::path& path) {
  Indexed out;
  SDL_Surface* s = IMG_Load(path.string().c_str());
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

inline Indexed load_picture(const std::string& file) {
  return load_indexed(built_assets() / file);
}

// Runs the generator into `dir`; true on success.
inline bool run_generator(const std::filesystem::path& dir) {
  const std::string command = "\"" + generator().string() + "\" \"" + dir.string() + "\"";
  return std::system(command.c_str()) == 0;
}

inline std::filesystem::path fresh_temp_dir(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("kelvo_assets_" + name + "_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace kelvo::asset_tests
