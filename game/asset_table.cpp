// The table of pictures and sounds, and its series spelled out file by file.
#include "game/asset_table.h"

namespace kelvo {
namespace {

// clang-format off
constexpr AssetRow kPictures[] = {
    // Screens and the street.
    {"titleImg", "titre"},
    {"gameOverImg", "gameover", 0, true},
    {"groundImg", "sol", 0, true},
    {"ambulanceImg", "ambulance", 2},
    {"craneBarrierImg", "barrieregrue", 0, true},
    {"nurseImg", "infirmiere", 2},  // Kept quirk: loaded, never drawn
    {"balloonImg", "montgolfiere", 5},
    {"birdImg", "oiseau", 4},
    // The hero.
    {"heroRightImg[1]", "hro01"}, {"heroRightImg[2]", "hro02"}, {"heroRightImg[3]", "hro03"},
    {"heroLeftImg[1]", "hro01g"}, {"heroLeftImg[2]", "hro02g"}, {"heroLeftImg[3]", "hro03g"},
    {"heroIdleRightImg", "docpause", 5},
    {"heroIdleLeftImg", "docpause_g", 5},
    {"heroKoImg[1]", "dockoar1g"}, {"heroKoImg[2]", "dockoar2g"},
    {"heroKoImg[3]", "dockoar3g"}, {"heroKoImg[4]", "dockoar4g"},
    {"superHeroRightImg[1]", "superhro03"}, {"superHeroRightImg[2]", "superhro01"},
    {"superHeroRightImg[3]", "superhro03"},
    {"superHeroLeftImg[1]", "superhro03g"}, {"superHeroLeftImg[2]", "superhro01g"},
    {"superHeroLeftImg[3]", "superhro03g"},
    // The structure and the sky.
    {"barrelImg[1]", "baril"}, {"barrelImg[2]", "baril2"}, {"barrelImg[3]", "baril3"},
    {"barrelImg[4]", "baril4"},
    {"levelImg", "niveau1"},
    {"finalLevelImg", "niveaufinal"},
    {"backgroundImg[1]", "fondaube", 0, true}, {"backgroundImg[2]", "fondmatin", 0, true},
    {"backgroundImg[3]", "fondmidi", 0, true}, {"backgroundImg[4]", "fondapresmidi", 0, true},
    {"backgroundImg[5]", "fondapresmidi", 0, true}, {"backgroundImg[6]", "fondpluiejour", 0, true},
    {"backgroundImg[7]", "fondsoir", 0, true}, {"backgroundImg[8]", "fondnuit", 0, true},
    {"backgroundImg[9]", "fondnuit", 0, true}, {"backgroundImg[10]", "fondpluienuit", 0, true},
    {"stormImg", "fondpluienuitorage", 0, true},
    {"ufoImg", "ovni", 2},
    {"cloudImg[1][1]", "nuageaube1"}, {"cloudImg[2][1]", "nuageaube2"},
    {"cloudImg[1][2]", "nuagematin1"}, {"cloudImg[2][2]", "nuagematin2"},
    {"cloudImg[1][3]", "nuagemidi1"}, {"cloudImg[2][3]", "nuagemidi2"},
    {"cloudImg[1][4]", "nuagemidi1"}, {"cloudImg[2][4]", "nuagemidi2"},
    {"cloudImg[1][5]", "nuagemidi1"}, {"cloudImg[2][5]", "nuagemidi2"},
    {"cloudImg[1][6]", "nuagemidi1"}, {"cloudImg[2][6]", "nuagemidi2"},
    {"cloudImg[1][7]", "nuagesoir1"}, {"cloudImg[2][7]", "nuagesoir2"},
    {"cloudImg[1][8]", "nuagenuitpluie1"}, {"cloudImg[2][8]", "nuagenuitpluie2"},
    {"cloudImg[1][9]", "nuagenuitpluie1"}, {"cloudImg[2][9]", "nuagenuitpluie2"},
    {"cloudImg[1][10]", "nuagenuitpluie1"}, {"cloudImg[2][10]", "nuagenuitpluie2"},
    {"boltImg", "boulon"},
    {"ladderImg", "echelle"},
    {"ladder2Img", "echelle2"},
    {"cauldronTopImg", "chaudronh", 4},
    {"cauldronBottomImg", "chaudronb", 4},
    // The villains and the captives.
    {"duoImg", "mario-luigi", 12},
    {"plumberFallImg", "mariofall", 2},
    {"hutImg", "cabane"},
    {"helpImg", "help"},
    {"plumberLadderImg", "mario_ech", 4},
    {"chainImg", "chaine"},
    {"captiveImg[1][1]", "pitfall_a"}, {"captiveImg[1][2]", "pitfall_b"},
    {"captiveImg[2][1]", "pengo1"}, {"captiveImg[2][2]", "pengo2"},
    {"captiveImg[3][1]", "frogger1"}, {"captiveImg[3][2]", "frogger2"},
    {"captiveImg[4][1]", "qbert_a"}, {"captiveImg[4][2]", "qbert_b"},
    {"captiveImg[5][1]", "pacman1"}, {"captiveImg[5][2]", "pacman2"},
    {"captiveImg[6][1]", "pooyan_a"}, {"captiveImg[6][2]", "pooyan_b"},
    {"captiveImg[7][1]", "joust_a"}, {"captiveImg[7][2]", "joust_b"},
    {"captiveImg[8][1]", "junglehunt1"}, {"captiveImg[8][2]", "junglehunt2"},
    {"captiveImg[9][1]", "et_a"}, {"captiveImg[9][2]", "et_b"},
    {"captiveBonusImg[1]", "pitfallbonus", 2},
    {"captiveBonusImg[2][1]", "pengobonus"},
    {"captiveBonusImg[3][1]", "froggerbonus"},
    {"captiveBonusImg[4]", "qbertbonus", 4},
    {"captiveBonusImg[5][1]", "pacmanbonus"},
    {"captiveBonusImg[6][1]", "pooyanbonus"},
    {"captiveBonusImg[7][1]", "joustbonus"},
    {"captiveBonusImg[8][1]", "junglehuntbonus"},
    {"captiveBonusImg[9][1]", "ETbonus"},
    {"helpImg2", "help", 0, true},  // Kept quirk: loaded again, never drawn
    // Hearts, the ape, the crane, rain, airships and the closing scene.
    {"heartImg", "coeur"},
    {"heartOutlineImg", "coeurtransparent"},
    {"heartBarImg", "barrecoeur", 0, true},  // Kept quirk: loaded, never drawn
    {"apeImg", "kong", 3},
    {"bananaImg[1]", "banane"}, {"bananaImg[2]", "banane2"}, {"bananaImg[3]", "banane3"},
    {"bananaImg[4]", "banane4"},
    {"hookImg", "crochet"},
    {"craneImg", "grue", 5},
    {"craneImg[6]", "grue3"},
    {"rainImg", "pluie", 3},
    {"zeppelinImg", "zeppelin"},
    {"zeppelin2Img", "zeppelin2"},
    {"shellImg", "obus", 2},
    {"plumberShellImg", "mario_obus", 7},
};

constexpr AssetRow kSounds[] = {
    {"sndLevel", "level"}, {"sndJump", "jump"}, {"sndMusic", "music3"}, {"sndHurry", "hurry"},
    {"sndMusicFast", "music3_2x"}, {"sndDie", "die"}, {"sndFall", "fall"},
    {"sndBanana", "banane2"}, {"sndThunder", "tonnerre1"}, {"sndHeart", "coeur4"},
    {"sndHeartB", "coeur4b"}, {"sndMusic2", "music2"}, {"sndBonus", "bonus"},
    {"sndLaugh", "rire"}, {"sndBeep", "beep"},
};
// clang-format on

template <size_t N>
std::vector<AssetFile> spelled_out(const AssetRow (&rows)[N], const std::string& extension) {
  std::vector<AssetFile> files;
  for (const AssetRow& row : rows) {
    if (row.frames == 0) files.push_back({row.slot, row.file + extension, row.opaque});
    for (int i = 1; i <= row.frames; ++i) {
      const std::string n = std::to_string(i);
      files.push_back({row.slot + ("[" + n + "]"), row.file + n + extension, row.opaque});
    }
  }
  return files;
}

}  // namespace

const std::vector<AssetFile>& picture_files() {
  static const std::vector<AssetFile> files = spelled_out(kPictures, ".xxx");
  return files;
}

const std::vector<AssetFile>& sound_files() {
  static const std::vector<AssetFile> files = spelled_out(kSounds, ".yyy");
  return files;
}

bool opaque_picture(const std::string& file) {
  bool found = false;
  for (const AssetFile& p : picture_files()) {
    if (p.file != file) continue;
    if (!p.opaque) return false;
    found = true;
  }
  return found;
}

}  // namespace kelvo
