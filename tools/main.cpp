// kelvo_assets: writes every picture and sound of rurazedudi/, a default score table and a
// contact sheet of all pictures.
//
// Usage: kelvo_assets OUTPUT_DIR [CONTACT_SHEET.png]
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "tools/asset_set.h"
#include "tools/contact_sheet.h"
#include "tools/file_formats.h"
#include "tools/score_table.h"

int main(int argc, char** argv) {
  using namespace kelvo::assets;
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR [CONTACT_SHEET.png]\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const AssetSet set = build_all();
    if (const std::string wrong = differences_from_table(set); !wrong.empty()) {
      std::fprintf(stderr, "kelvo_assets: the files differ from game/asset_table.cpp:%s\n",
                   wrong.c_str());
      return 1;
    }
    for (const Picture& p : set.pictures)
      write_if_changed((dir / p.file).string(), encode_png(p.image));
    for (const Sound& s : set.sounds)
      write_if_changed((dir / s.file).string(), encode_wav(s.samples, kSampleRate));
    write_default_scores_if_missing((dir / "score.txt").string());
    if (argc == 3) write_if_changed(argv[2], encode_png(contact_sheet(set)));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kelvo_assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
