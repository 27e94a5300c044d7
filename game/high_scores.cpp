// The high-score table: read at start-up, ranked at the end of a game, written after it.
#include "game/game.h"

namespace kelvo {
namespace {
constexpr const char* kScoreFile = "rurazedudi/score.txt";
constexpr int32_t kFile = 1;
constexpr int32_t kInput = 3;
constexpr int32_t kOutput = 4;
constexpr int kEntries = 10;
constexpr int kNameColumns = 24;  // from column 17 to the row's end
constexpr char kCtrlZ = 26;

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// The string field reader skips leading blanks, takes a leading quote as the start of a quoted
// field, ends a field at a comma or line end, drops trailing blanks, and ends the file at Ctrl-Z.
bool reads_back_unchanged(std::string_view name) {
  return !name.empty() && !is_blank(name.front()) && name.front() != '"' &&
         !is_blank(name.back()) && name.find_first_of(",\r\n\x1a") == std::string_view::npos;
}

}  // namespace

std::string storable_name(std::string_view name) {
  if (reads_back_unchanged(name)) return std::string(name);
  std::string quoted = "\"";
  for (char c : name) quoted += c == '"' ? '\'' : c == kCtrlZ ? '?' : c;
  return quoted + "\"";
}

std::string shown_name(std::string_view name) {
  std::string shown(name.substr(0, kNameColumns));
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127) c = '?';
  }
  return shown;
}

void Game::load_high_scores() {
  for (int i = 1; i <= kEntries; ++i) {
    s_.hallScores[i] = 1100 - 100 * i;
    s_.hallNames[i] = "AAA";
  }
  pause_error_or_stop(801);
  rt_.file_open(kScoreFile, kInput, kFile);
  pause_error_or_stop(802);
  for (int i = 1; i <= kEntries; ++i) {
    // One statement reads both fields: when the number fails, the string read is skipped.
    s_.hallScores[i] = rt_.file_input_number(kFile);
    rt_.file_input_string(kFile, s_.hallNames[i]);
    pause_error_or_stop(803);
  }
  rt_.file_close(kFile);
  pause_error_or_stop(804);
  s_.hudBest = s_.hallScores[1];
  pause_error_or_stop(805);
}

void rank_score(GameState& s) {
  s.hallInsertPos = 11;
  for (int i = 1; i <= kEntries; ++i) {
    if (s.score > s.hallScores[i] && i < s.hallInsertPos) s.hallInsertPos = i;
  }
  if (s.hallInsertPos == 10) s.hallScores[10] = s.score;
  if (s.hallInsertPos < 10) {
    for (int i = kEntries; i >= s.hallInsertPos + 1; --i) {
      s.hallScores[i] = s.hallScores[i - 1];
      s.hallNames[i] = s.hallNames[i - 1];
    }
    s.hallScores[s.hallInsertPos] = s.score;
  }
}

void Game::save_high_scores() {
  rt_.file_open(kScoreFile, kOutput, kFile);
  pause_error_or_stop(806);
  for (int i = 1; i <= kEntries; ++i) {
    rt_.file_print(kFile, rt_.number_to_string(s_.hallScores[i]), true, true, false);
    rt_.file_print(kFile, storable_name(s_.hallNames[i]), false, false, true);
    pause_error_or_stop(807);
  }
  rt_.file_close(kFile);
  pause_error_or_stop(808);
}

}  // namespace kelvo
