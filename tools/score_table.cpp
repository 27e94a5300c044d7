// Writes the default high-score table in the game's print-zone layout.
#include "tools/score_table.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace kelvo::assets {

std::string default_score_file() {
  std::string out;
  for (int i = 1; i <= 10; ++i) {
    std::string line = " " + std::to_string(1100 - 100 * i);
    line.resize(14, ' ');
    out += line + "AAA\r\n";
  }
  return out;
}

void write_default_scores_if_missing(const std::string& path) {
  if (std::filesystem::exists(path)) return;
  std::ofstream out(path, std::ios::binary);
  const std::string text = default_score_file();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace kelvo::assets
