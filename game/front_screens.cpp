// The boot screen, attract mode (title, hall of fame, story prologue) and the closing story.
#include "game/game.h"

namespace kelvo {
namespace {

struct TimedLine {
  double after;  // shown once the timer is above this
  int row;
  const char* text;
};

constexpr TimedLine kPrologue[] = {
    {-1, 1, "            END OF 1983"},
    {-1, 2, "      GLOBAL VIDEOGAME CRASH !"},
    {2000, 4, "         BUT DO YOU KNOW"},
    {2000, 5, "     THE TRUTH ABOUT THIS CRASH ?"},
    {2200, 7, "  WHEN MARIO AND DONKEY KONG COMBINE"},
    {2200, 8, "      TO KILL VIDEOGAME STARS !"},
    {2400, 9, " THEIR GOAL ? INVADE AMERICA IN 1985"},
    {2540, 10, "  THE 'NES' DIABOLIC SECRET PLAN !"},
    {2700, 13, "THIS IS THE STORY OF AN UNSUNG HERO"},
    {2850, 14, "         DR KELVO'S STORY"},
    {2850, 15, "    WHO TRIED TO STOP THE PLOT"},
};

constexpr TimedLine kEpilogue[] = {
    {-1, 2, "SEPTEMBER 1983"},
    {80, 3, "ALAMOGORDO, NEW MEXICO"},
    {200, 5, "TWENTY SEMI-TRAILERS"},
    {300, 6, "LEAVE MILLIONS OF ATARI CARTRIDGES"},
    {420, 7, "IN THE DESERT"},
    {600, 9, "VIDEOGAME INDUSTRY HAS CRASHED"},
    {750, 15, "2 YEARS LATER... NINTENDO INVADES USA"},
};

}  // namespace

void Game::boot_screen() {
  rt_.clear_screen();
  pause_error_or_stop(201);
  print_line(5, 16, "V 1.0");
  print_line(7, 15, "CPU");
  print_line(9, 15, "GPU");
  print_line(11, 15, "ROM");
  print_line(13, 15, "RAM");
  rt_.delay(0.5);
  pause_error_or_stop(202);
  for (int row = 7; row <= 13; row += 2) {
    print_line(row, 20, "OK");
    rt_.delay(row < 13 ? 0.2 : 1);
    pause_error_or_stop(203);
  }
}

GameStage Game::attract_mode() {
  rt_.delay(1);
  pause_error_or_stop(204);
  s_.attractTimer = 0;
  pause_error_or_stop(205);
  for (;;) {
    s_.attractTimer += 1;
    if (s_.attractTimer == 3140) s_.attractTimer = 0;
    pause_error_or_stop(206);
    if (s_.attractTimer < 1000) title_frame();
    if (s_.attractTimer > 999 && s_.attractTimer < 1800) hall_of_fame_frame();
    if (s_.attractTimer > 1799) prologue_frame();
    show_frame();
    if (rt_.key_down(key::kEscape)) rt_.quit_program();
    pause_error_or_stop(207);
    if (rt_.key_down(key::kSpace)) return GameStage::NewGame;
    pause_error_or_stop(208);
  }
}

void Game::title_frame() {
  s_.blinkTimer += 1;
  if (s_.blinkTimer == 120) s_.blinkTimer = 0;
  s_.creditTimer += 1;
  if (s_.creditTimer == 1000) s_.creditTimer = 0;
  pause_error_or_stop(209);
  rt_.clear_screen();
  pause_error_or_stop(210);
  draw(h_.titleImg, 0, 0);
  if (s_.blinkTimer < 100) print_line(14, 15, "INSERT COIN");
  // The credit line stays on its row: a line feed after the last row of the text view would
  // scroll the whole title up.
  const std::string_view credit =
      s_.creditTimer < 500 ? "PLINDOR STUDIO 2013" : "PRESS SPACE TO PLAY";
  rt_.locate(17, 11);
  pause_error_or_stop(211);
  rt_.print_wrap_check(credit);
  rt_.print_text(credit, false);
  pause_error_or_stop(212);
}

void Game::hall_of_fame_frame() {
  rt_.clear_screen();
  pause_error_or_stop(213);
  print_line(3, 17, "HALL OF FAME");
  draw(h_.craneImg[4], 0, -30);
  for (int i = 1; i <= 10; ++i) {
    print_line(i + 4, 17, shown_name(s_.hallNames[i]));
    const std::string score = rt_.number_to_string(s_.hallScores[i]);
    pause_error_or_stop(214);
    print_line(i + 4, 29 - static_cast<int>(score.size()), score + " ");
  }
  s_.storyScroll = 0;
  pause_error_or_stop(215);
}

void Game::prologue_frame() {
  rt_.clear_screen();
  pause_error_or_stop(216);
  s_.storyScroll += 0.2;
  pause_error_or_stop(217);
  draw(h_.backgroundImg[8], 0, -s_.storyScroll);
  for (const TimedLine& line : kPrologue) {
    if (s_.attractTimer > line.after) print_line(line.row, 1, line.text);
  }
}

GameStage Game::closing_story() {
  s_.endTimer = 0;
  s_.storyScroll = 0;
  pause_error_or_stop(218);
  do {
    s_.endTimer += 1;
    pause_error_or_stop(219);
    rt_.clear_screen();
    pause_error_or_stop(220);
    s_.storyScroll += 0.2;
    pause_error_or_stop(221);
    draw(h_.backgroundImg[8], 0, -s_.storyScroll);
    rt_.set_colour(15);
    pause_error_or_stop(222);
    for (const TimedLine& line : kEpilogue) {
      if (s_.endTimer > line.after) print_line(line.row, 1, line.text);
    }
    show_frame();
  } while (s_.endTimer <= 950);
  return GameStage::GameOver;
}

}  // namespace kelvo
