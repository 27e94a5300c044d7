// The game's start-up sequence and its top-level state machine.
#include "game/game.h"

#include <string_view>

#include "game/world.h"

namespace kelvo {

const char* stage_name(GameStage stage) {
  static constexpr const char* kNames[] = {
      "Boot",   "Attract",        "NewGame",      "LevelSetup", "LevelPlay",     "LevelOutcome",
      "Ending", "HighScoreCheck", "ClosingStory", "GameOver",   "InitialsEntry", "Save"};
  return kNames[static_cast<int>(stage)];
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
  pause_error_or_stop(101);
}

void Game::play(Num sound) {
  rt_.sound_play(handle(sound));
  pause_error_or_stop(102);
}

void Game::play_looped(Num sound) {
  rt_.sound_play(handle(sound));
  pause_error_or_stop(103);
  rt_.sound_loop(handle(sound));
  pause_error_or_stop(104);
}

void Game::stop(Num sound) {
  rt_.sound_stop(handle(sound));
  pause_error_or_stop(105);
}

std::string Game::number_text(double value) {
  return rt_.number_to_string(value) + " ";
}

void Game::print_line(int row, int column, std::string_view text) {
  rt_.locate(row, column);
  pause_error_or_stop(106);
  rt_.print_wrap_check(text);
  rt_.print_text(text, false);
  rt_.print_text("", true);
  pause_error_or_stop(107);
}

void Game::show_frame(double rate) {
  rt_.limit_rate(rate);
  pause_error_or_stop(108);
  rt_.display_now();
  pause_error_or_stop(109);
}

void Game::start_up() {
  s_.level = 1;
  pause_error_or_stop(110);
  const int32_t screen = rt_.new_image(320, 300, 256);
  pause_error_or_stop(111);
  rt_.set_screen(screen);
  pause_error_or_stop(112);
  rt_.set_fullscreen(0);
  pause_error_or_stop(113);
  rt_.set_print_mode(2);
  pause_error_or_stop(114);
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
    pause_error_or_stop(115);
  }
}

void Game::fill_fixed_tables() {
  for (int f = 1; f <= 7; ++f) {
    s_.heroFloorBaseY[f] = world::kGirderBaseY[f];
    s_.floorBaseY[f] = world::kGirderBaseY[f] + world::kItemDrop;
  }
  for (int i = 1; i <= 2; ++i) {
    s_.boltX[i] = world::kBoltX[i];
    s_.boltY[i] = world::kBoltY;
  }
  pause_error_or_stop(116);
}

GameStage Game::new_game() {
  s_.score = 0;
  s_.lives = 3;
  s_.level = options_.startLevel;
  pause_error_or_stop(117);
  return GameStage::LevelSetup;
}

GameStage Game::high_score_check() {
  rank_score(s_);
  pause_error_or_stop(118);
  return GameStage::ClosingStory;
}

// The hall of fame is for whole games: a practice run, started past level 1, keeps its scores in
// memory only.
GameStage Game::save() {
  if (options_.startLevel == 1) save_high_scores();
  return GameStage::Attract;
}

}  // namespace kelvo
