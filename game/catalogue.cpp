// The asset catalogue: every sound and picture of the game, opened once at start-up in order.
#include <string>

#include "game/game.h"

namespace kelvo {
namespace {
const std::string kDir = "rurazedudi/";
}  // namespace

void Game::open_sounds() {
  const std::pair<Num*, const char*> sounds[] = {
      {&h_.sndLevel, "level"},  {&h_.sndJump, "jump"},           {&h_.sndMusic, "music3"},
      {&h_.sndHurry, "hurry"},  {&h_.sndMusicFast, "music3_2x"}, {&h_.sndDie, "die"},
      {&h_.sndFall, "fall"},    {&h_.sndBanana, "banane2"},      {&h_.sndThunder, "tonnerre1"},
      {&h_.sndHeart, "coeur4"}, {&h_.sndHeartB, "coeur4b"},      {&h_.sndMusic2, "music2"},
      {&h_.sndBonus, "bonus"},  {&h_.sndLaugh, "rire"},          {&h_.sndBeep, "beep"}};
  for (const auto& [slot, name] : sounds) {
    *slot = rt_.sound_open(kDir + name + ".yyy", "sync");
    pause_error_or_stop(901);
  }
}

// Loads one picture into its slot; `separator` is "\\" for the files the game names that way.
void Game::load(Num& slot, const std::string& name, const char* separator) {
  slot = rt_.load_image("rurazedudi" + std::string(separator) + name + ".xxx");
  pause_error_or_stop(902);
  loadedImages_.push_back(&slot);
}

void Game::load_series(Num* slots, int count, const std::string& stem, const char* separator) {
  for (int i = 1; i <= count; ++i) load(slots[i], stem + std::to_string(i), separator);
}

void Game::load_images() {
  load_scenery_images();
  load_hero_images();
  load_structure_images();
  load_villain_images();
  load_sky_images();
  set_clear_colours();
}

void Game::load_scenery_images() {
  load(h_.titleImg, "titre");
  load(h_.gameOverImg, "gameover");
  load(h_.groundImg, "sol");
  load_series(h_.ambulanceImg.begin(), 2, "ambulance");
  load(h_.craneBarrierImg, "barrieregrue");
  load_series(h_.nurseImg.begin(), 2, "infirmiere");
  load_series(h_.balloonImg.begin(), 5, "montgolfiere");
  load_series(h_.birdImg.begin(), 4, "oiseau");
}

void Game::load_hero_images() {
  for (int i = 1; i <= 3; ++i) load(h_.heroRightImg[i], "hro0" + std::to_string(i));
  for (int i = 1; i <= 3; ++i) load(h_.heroLeftImg[i], "hro0" + std::to_string(i) + "g");
  load_series(h_.heroIdleRightImg.begin(), 5, "docpause", "\\");
  load_series(h_.heroIdleLeftImg.begin(), 5, "docpause_g", "\\");
  for (int i = 1; i <= 4; ++i) load(h_.heroKoImg[i], "dockoar" + std::to_string(i) + "g", "\\");
  const char* superFrames[] = {"03", "01", "03"};
  for (int i = 1; i <= 3; ++i)
    load(h_.superHeroRightImg[i], std::string("superhro") + superFrames[i - 1]);
  for (int i = 1; i <= 3; ++i) {
    load(h_.superHeroLeftImg[i], std::string("superhro") + superFrames[i - 1] + "g");
  }
}

void Game::load_structure_images() {
  load(h_.barrelImg[1], "baril");
  for (int i = 2; i <= 4; ++i) load(h_.barrelImg[i], "baril" + std::to_string(i));
  load(h_.levelImg, "niveau1");
  load(h_.finalLevelImg, "niveaufinal");
  const char* skies[] = {"fondaube",      "fondmatin",     "fondmidi", "fondapresmidi",
                         "fondapresmidi", "fondpluiejour", "fondsoir", "fondnuit",
                         "fondnuit",      "fondpluienuit"};
  for (int i = 1; i <= 10; ++i) load(h_.backgroundImg[i], skies[i - 1]);
  load(h_.stormImg, "fondpluienuitorage");
  load_series(h_.ufoImg.begin(), 2, "ovni");
  const char* clouds[] = {"aube", "matin", "midi",      "midi",      "midi",
                          "midi", "soir",  "nuitpluie", "nuitpluie", "nuitpluie"};
  for (int level = 1; level <= 10; ++level) {
    for (int frame = 1; frame <= 2; ++frame) {
      load(h_.cloudImg[frame][level],
           std::string("nuage") + clouds[level - 1] + std::to_string(frame));
    }
  }
  load(h_.boltImg, "boulon");
  load(h_.ladderImg, "echelle");
  load(h_.ladder2Img, "echelle2");
  load_series(h_.cauldronTopImg.begin(), 4, "chaudronh");
  load_series(h_.cauldronBottomImg.begin(), 4, "chaudronb");
}

void Game::load_villain_images() {
  load_series(h_.duoImg.begin(), 12, "mario-luigi");
  load_series(h_.plumberFallImg.begin(), 2, "mariofall");
  load(h_.hutImg, "cabane");
  load(h_.helpImg, "help");
  load_series(h_.plumberLadderImg.begin(), 4, "mario_ech");
  load(h_.chainImg, "chaine");
  const char* captives[9][2] = {
      {"pitfall_a", "pitfall_b"}, {"pengo1", "pengo2"},           {"frogger1", "frogger2"},
      {"qbert_a", "qbert_b"},     {"pacman1", "pacman2"},         {"pooyan_a", "pooyan_b"},
      {"joust_a", "joust_b"},     {"junglehunt1", "junglehunt2"}, {"et_a", "et_b"}};
  for (int level = 1; level <= 9; ++level) {
    for (int frame = 1; frame <= 2; ++frame) {
      load(h_.captiveImg[level][frame], captives[level - 1][frame - 1]);
    }
  }
  load(h_.captiveBonusImg[1][1], "pitfallbonus1");
  load(h_.captiveBonusImg[1][2], "pitfallbonus2");
  load(h_.captiveBonusImg[2][1], "pengobonus");
  load(h_.captiveBonusImg[3][1], "froggerbonus");
  for (int i = 1; i <= 4; ++i) load(h_.captiveBonusImg[4][i], "qbertbonus" + std::to_string(i));
  load(h_.captiveBonusImg[5][1], "pacmanbonus");
  load(h_.captiveBonusImg[6][1], "pooyanbonus");
  load(h_.captiveBonusImg[7][1], "joustbonus");
  load(h_.captiveBonusImg[8][1], "junglehuntbonus");
  load(h_.captiveBonusImg[9][1], "ETbonus");
  load(h_.helpImg2, "help");
}

void Game::load_sky_images() {
  load(h_.heartImg, "coeur");
  load(h_.heartOutlineImg, "coeurtransparent");
  load(h_.heartBarImg, "barrecoeur");
  load_series(h_.apeImg.begin(), 3, "kong");
  load(h_.bananaImg[1], "banane");
  for (int i = 2; i <= 4; ++i) load(h_.bananaImg[i], "banane" + std::to_string(i));
  load(h_.hookImg, "crochet");
  load_series(h_.craneImg.begin(), 5, "grue");
  load(h_.craneImg[6], "grue3");
  load_series(h_.rainImg.begin(), 3, "pluie");
  load(h_.zeppelinImg, "zeppelin");
  load(h_.zeppelin2Img, "zeppelin2");
  load_series(h_.shellImg.begin(), 2, "obus");
  load_series(h_.plumberShellImg.begin(), 7, "mario_obus");
}

// Colour 0 is see-through on every picture except the skies and a few opaque ones.
void Game::set_clear_colours() {
  const Num* opaque[] = {&h_.stormImg,        &h_.gameOverImg, &h_.groundImg,
                         &h_.craneBarrierImg, &h_.helpImg2,    &h_.heartBarImg};
  for (Num* slot : loadedImages_) {
    bool keyed = std::find(std::begin(opaque), std::end(opaque), slot) == std::end(opaque);
    for (int i = 1; i <= 10; ++i) keyed = keyed && slot != &h_.backgroundImg[i];
    if (!keyed) continue;
    rt_.set_clear_colour(0, static_cast<int32_t>(round_to_int(*slot)));
    pause_error_or_stop(903);
  }
}

}  // namespace kelvo
