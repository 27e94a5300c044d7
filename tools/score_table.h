// The default high-score file: ten entries of "AAA", 1000 down to 100.
#pragma once

#include <string>

namespace kelvo::assets {

// Each line: the score with its leading blank, blanks up to offset 14, "AAA", CR LF.
std::string default_score_file();
// Creates the file only when it does not exist: it holds the players' scores.
void write_default_scores_if_missing(const std::string& path);

}  // namespace kelvo::assets
