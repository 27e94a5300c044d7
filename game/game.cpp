// The game's start-up sequence and its top-level state machine.
#include "game/game.h"

#include <array>
#include <cstring>
#include <string_view>

namespace kelvo {
namespace {

// Source files of the game, in the order of their statement-line blocks.
constexpr std::array<std::string_view, 9> kGameSources = {
    "game.cpp",    "front_screens.cpp", "level.cpp",       "play.cpp",     "scene.cpp",
    "hazards.cpp", "ending.cpp",        "high_scores.cpp", "catalogue.cpp"};

}  // namespace

const char* stage_name(GameStage stage) {
  static constexpr const char* kNames[] = {
      "Boot",   "Attract",        "NewGame",      "LevelSetup", "LevelPlay",     "LevelOutcome",
      "Ending", "HighScoreCheck", "ClosingStory", "GameOver",   "InitialsEntry", "Save"};
  return kNames[static_cast<int>(stage)];
}

uint32_t statement_line(const std::source_location& where) {
  const std::string_view file = where.file_name();
  for (size_t i = 0; i < kGameSources.size(); ++i) {
    if (file.ends_with("/" + std::string(kGameSources[i])) || file == kGameSources[i]) {
      return static_cast<uint32_t>((i + 1) * 10000 + where.line());
    }
  }
  return where.line();
}

void run_game(Runtime& rt, GameState& state, const GameOptions& options) {
  set_array_error_sink(&rt);
  Game(rt, state, options).run();
}

void Game::run() {
  start_up();
  enter(GameStage::Boot);
  boot_screen();
  GameStage stage = GameStage::Attract;
  for (;;) {
    enter(stage);
    switch (stage) {
      case GameStage::Boot:
        stage = GameStage::Attract;
        break;
      case GameStage::Attract:
        stage = attract_mode();
        break;
      case GameStage::NewGame:
        stage = new_game();
        break;
      case GameStage::LevelSetup:
        stage = level_setup();
        break;
      case GameStage::LevelPlay:
        stage = level_play();
        break;
      case GameStage::LevelOutcome:
        stage = level_outcome();
        break;
      case GameStage::Ending:
        stage = ending();
        break;
      case GameStage::HighScoreCheck:
        stage = high_score_check();
        break;
      case GameStage::ClosingStory:
        stage = closing_story();
        break;
      case GameStage::GameOver:
        stage = game_over();
        break;
      case GameStage::InitialsEntry:
        stage = initials_entry();
        break;
      case GameStage::Save:
        stage = save();
        break;
    }
  }
}

void Game::enter(GameStage stage) {
  rt_.trace_event("state", stage_name(stage));
}

void Game::draw(Num image, double x, double y) {
  rt_.put_image(x, y, handle(image));
  stmt();
}

void Game::play(Num sound) {
  rt_.sound_play(handle(sound));
  stmt();
}

void Game::play_looped(Num sound) {
  rt_.sound_play(handle(sound));
  stmt();
  rt_.sound_loop(handle(sound));
  stmt();
}

void Game::stop(Num sound) {
  rt_.sound_stop(handle(sound));
  stmt();
}

std::string Game::number_text(double value) {
  return rt_.number_to_string(value) + " ";
}

void Game::print_line(int row, int column, std::string_view text) {
  rt_.locate(row, column);
  stmt();
  rt_.print_wrap_check(text);
  rt_.print_text(text, false);
  rt_.print_text("", true);
  stmt();
}

void Game::show_frame(double rate) {
  rt_.limit_rate(rate);
  stmt();
  rt_.display_now();
  stmt();
}

void Game::start_up() {
  s_.level = 1;
  stmt();
  const int32_t screen = rt_.new_image(320, 300, 256);
  stmt();
  rt_.set_screen(screen);
  stmt();
  rt_.set_fullscreen(0);
  stmt();
  rt_.set_print_mode(2);
  stmt();
  load_high_scores();
  open_sounds();
  read_letters();
  load_images();
  fill_fixed_tables();
}

void Game::read_letters() {
  static constexpr std::string_view kLetters =
      "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T,U,V,W,X,Y,Z,";
  uint32_t position = 0;
  for (int i = 1; i <= 26; ++i) {
    rt_.read_data_string(kLetters, position, s_.letters[i]);
    stmt();
  }
}

void Game::fill_fixed_tables() {
  static constexpr int kHeroFloorBaseY[] = {457, 381, 354, 275, 249, 168, 142};
  for (int f = 1; f <= 7; ++f) {
    s_.heroFloorBaseY[f] = kHeroFloorBaseY[f - 1];
    s_.floorBaseY[f] = kHeroFloorBaseY[f - 1] + 4;
  }
  s_.boltX[1] = 190;
  s_.boltY[1] = 16;
  s_.boltX[2] = 265;
  s_.boltY[2] = 16;
  stmt();
}

GameStage Game::new_game() {
  s_.score = 0;
  s_.lives = 3;
  s_.level = options_.startLevel;
  stmt();
  return GameStage::LevelSetup;
}

GameStage Game::high_score_check() {
  rank_score(s_);
  stmt();
  return GameStage::ClosingStory;
}

GameStage Game::save() {
  save_high_scores();
  return GameStage::Attract;
}

}  // namespace kelvo
