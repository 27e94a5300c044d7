// The nine captives, each hanging from the chain (its links meet the captive's columns 5 to 9),
// and the bonus item each one drops (12 by 12, resting on the girders like the barrels).
#include <string>

#include "tools/asset_set.h"
#include "tools/colours.h"

namespace kelvo::assets {
namespace {

using namespace col;

// Frame 2 sways the lower body one pixel to the right, as if swinging on the chain.
Canvas swayed(const Canvas& c, int from_row) {
  Canvas out = c;
  out.fill_rect(0, from_row, c.width(), c.height() - from_row, kClear);
  out.blit(c.cropped(0, from_row, c.width(), c.height() - from_row), 1, from_row);
  return out;
}

Canvas finish(Canvas c) {
  c.outline(kInk);
  return c;
}

// A person hanging by both hands; only the colours and the headgear differ.
Canvas hanging_person(const Legend& legend, bool helmet) {
  if (helmet)
    return from_grid(
        {".....ss..ss.....", ".....TT..TT.....", "....HHHHHHHH....", "..HHHHHHHHHHHH..",
         "....TsesesT.....", "....T.ssss.T....", "....TTTTTTTT....", ".....TTbTTT.....",
         ".....TTTTTT.....", ".....PPPPPP.....", ".....PP..PP.....", ".....ss..ss.....",
         ".....ss..ss.....", ".....WW..WW.....", "....BBB..BBB....", "................"},
        legend);
  return from_grid({".....ss..ss.....", ".....T....T.....", "....T.HHHH.T....", "....THHHHHHT....",
                    "....THsesesT....", "....T.ssss.T....", "....TTTTTTTT....", ".....TTTTTT.....",
                    ".....TTTTTT.....", ".....PPPPPP.....", ".....PP..PP.....", ".....PP..PP.....",
                    ".....PP..PP.....", ".....BB..BB.....", "....BBB..BBB....", "................"},
                   legend);
}

Canvas captive(int level) {
  switch (level) {
    case 1:  // the jungle runner: dark hair, green vest, tan trousers
      return hanging_person(Legend{{'s', kSkin},
                                   {'e', kInk},
                                   {'H', kUmber},
                                   {'T', kForest},
                                   {'P', kTan},
                                   {'B', kChestnut},
                                   {'W', kWhite},
                                   {'b', kBrown}},
                            false);
    case 2:  // a penguin holding on with its flippers
      return from_grid(
          {"......b...b.....", ".....bb...bb....", ".....b.bbb.b....", ".....bbbbbbb....",
           "....bbwwbwwbb...", "....bbwebwebb...", "....bbbyyybbb...", "....bbwwywwbb...",
           "...bbwwwwwwwbb..", "...bbwwwwwwwbb..", "...bbwwwwwwwbb..", "....bwwwwwwwb...",
           "....bbwwwwwbb...", ".....bbbbbbb....", "....yyy...yyy...", "................"},
          Legend{{'b', kNight}, {'w', kWhite}, {'e', kInk}, {'y', kOrange}});
    case 3:  // a frog hanging by its front legs
      return from_grid(
          {"....gg....gg....", ".....g....g.....", "...wwg.GG.gww...", "..wkwgGGGGgwkw..",
           "..wwwGGGGGGwww..", "...GGGGGGGGGG...", "...GrrrrrrrrG...", "...GGyyyyyyGG...",
           "...GGyyyyyyGG...", "....GyyyyyyG....", "....GGGGGGGG....", "...GG.GGGG.GG...",
           "..GG...GG...GG..", ".GG....GG....GG.", "GGg..........gGG", "................"},
          Legend{{'g', kForest},
                 {'G', kGreen},
                 {'w', kWhite},
                 {'k', kInk},
                 {'r', kDarkRed},
                 {'y', kPaleGreen}});
    case 4:  // a round orange creature with a long snout, tied in a rope loop
      return from_grid(
          {"......kkkk......", ".....k....k.....", "....oooooooo....", "...oooooooooo...",
           "..oowwooowwooo..", "..owkwooowkwoo..", "..oowwooowwoooo.", "..oooooooooooNNN",
           "..ooooooooooNNNN", "...oooooooo..NNn", "....oooooooo....", ".....oooooo.....",
           ".....O....O.....", ".....O....O.....", "....OO....OO....", "................"},
          Legend{{'k', kGreyA2},
                 {'o', kOrange},
                 {'w', kWhite},
                 {'N', kOrangeRed},
                 {'n', kDarkRed},
                 {'O', kBrown}});
    case 5:  // a round yellow creature with a huge mouth, hands up
      return from_grid(
          {".....y....y.....", ".....y....y.....", "....yYYYYYYy....", "...YYYYYYYYYY...",
           "..YYwkYYYYwkYY..", "..YYwwYYYYwwYY..", ".YYYYYYYYYYYYYY.", ".YrrrrrrrrrrrrY.",
           ".YrwrwrwrwrwrrY.", ".YrrrrrrrrrrrrY.", ".YYrrrppprrrrYY.", "..YYrrrrrrrrYY..",
           "...YYYYYYYYYY...", "....YYYYYYYY....", "....oo....oo....", "................"},
          Legend{{'y', kAmber},
                 {'Y', kYellow},
                 {'w', kWhite},
                 {'k', kInk},
                 {'r', kDarkRed},
                 {'p', kPinkish},
                 {'o', kOrange}});
    case 6:  // a piglet holding on with its front trotters
      return from_grid(
          {".....pp..pp.....", ".....p....p.....", "...PP.pppp.PP...", "...PpppppppppP..",
           "....pkppppkpp...", "....ppPPPPpp....", "....pPnPPnPp....", "....ppPPPPpp....",
           "...pppppppppp...", "...pppppppppp...", "...pppppppppp.c.", "....pppppppppc..",
           ".....pp...pp....", ".....pP...pP....", ".....PP...PP....", "................"},
          Legend{{'p', kPalePink}, {'P', kPinkish}, {'k', kInk}, {'n', kWine}, {'c', kPinkish}});
    case 7:  // a knight on a big bird, his lance hand on the chain
      return from_grid(
          {"......s.........", "......s.........", "....gggg........", "...gggggg.......",
           "...gkkggg.......", "...gggggg.......", "....RRRR....bb..", "...RRRRRR..bbbw.",
           "..bbRRRRbbbbbky.", ".bbbbbbbbbbbbyyy", "bbbBBBBBbbbb....", ".bbBBBBBbbb.....",
           "..bbbbbbbb......", "....y...y.......", "....y...y.......", "...yy..yy......."},
          Legend{{'s', kSkin},
                 {'g', kGreyB6},
                 {'k', kGrey39},
                 {'R', kBlue},
                 {'b', kTan},
                 {'B', kChestnut},
                 {'w', kWhite},
                 {'y', kAmber}});
    case 8:  // the safari explorer: pith helmet, khaki, shorts
      return hanging_person(Legend{{'s', kSkin},
                                   {'e', kInk},
                                   {'H', kCream},
                                   {'T', kKhaki},
                                   {'P', kOlive},
                                   {'B', kChestnut},
                                   {'W', kWhite},
                                   {'b', kUmber}},
                            true);
    default:  // a small alien with a big head, huge eyes and two antennae
      return from_grid(
          {".....gg..gg.....", "..l..g....g..l..", "...a.g.GG.g.a...", "....aGGGGGGa....",
           "...GGGGGGGGGG...", "..GGkkGGGGkkGG..", "..GGkwGGGGkwGG..", "...GGGGGGGGGG...",
           "....GGGddGGG....", ".....GGGGGG.....", "......GGGG......", ".....gGGGGg.....",
           ".....GGGGGG.....", ".....GG..GG.....", "....GGG..GGG....", "................"},
          Legend{{'g', kGreen},
                 {'G', kMint},
                 {'k', kInk},
                 {'w', kWhite},
                 {'a', kGreyA2},
                 {'l', kYellow},
                 {'d', kForest}});
  }
}

constexpr const char* kCaptiveFiles[10][2] = {{"", ""},
                                              {"pitfall_a", "pitfall_b"},
                                              {"pengo1", "pengo2"},
                                              {"frogger1", "frogger2"},
                                              {"qbert_a", "qbert_b"},
                                              {"pacman1", "pacman2"},
                                              {"pooyan_a", "pooyan_b"},
                                              {"joust_a", "joust_b"},
                                              {"junglehunt1", "junglehunt2"},
                                              {"et_a", "et_b"}};

// Bonus items: 12 by 12, their lowest row resting on the girder.
Canvas gold_bar(int frame) {
  Canvas c = from_grid({"............", "............", "............", "............",
                        "............", "...YYYYYYY..", "..YyyyyyyYo.", ".YyyyyyyyYoo",
                        "YYYYYYYYYooo", "YyyyyyyyYoo.", "YyyyyyyyYo..", "YYYYYYYYY..."},
                       Legend{{'Y', kAmber}, {'y', kYellow}, {'o', kBrown}});
  const int gx = frame == 1 ? 2 : 6;
  c.set(gx, 9, kWhite);
  c.set(gx + 1, 2 + frame, kPaleLemon);
  c.set(gx + 1, 3 + frame, kWhite);
  c.set(gx + 1, 4 + frame, kPaleLemon);
  return finish(c);
}

Canvas spinning_cube(int frame) {
  static const uint8_t kTops[4] = {kAzure, kYellow, kMagenta, kBrightGreen};
  Canvas c = from_grid({"............", ".....tt.....", "...tttttt...", ".tttttttttt.",
                        "lttttttttttr", "lllttttttrrr", "llllltttrrrr", "lllllltrrrrr",
                        "llllllrrrrrr", ".lllllrrrrr.", "...lllrrr...", ".....lr....."},
                       Legend{{'t', kTops[frame - 1]}, {'l', kTan}, {'r', kChestnut}});
  return finish(c);
}

Canvas bonus(int level) {
  switch (level) {
    case 2:  // a block of ice
      return finish(from_grid({"............", "............", "...wwwwwwww.", "..wcccccccwC",
                               ".wwwwwwwwwCC", ".wcCccccccCC", ".wccwcccccCC", ".wcccwccccCC",
                               ".wcccccwccCC", ".wccccccccCC", ".wccccccccC.", ".CCCCCCCCC.."},
                              Legend{{'w', kWhite}, {'c', kPaleCyan}, {'C', kLightCyan}}));
    case 3:  // a lily pad with a flower
      return finish(from_grid(
          {"............", "............", "............", "............", ".....pp.....",
           "....pwwp....", ".....py.....", "..GGGGGGGG..", ".GgGGGGGGgG.", "GGGgGGGGgGG.",
           ".GGGGG.GGGGG", "..GGGG..GGG."},
          Legend{{'p', kPinkish}, {'w', kWhite}, {'y', kYellow}, {'G', kGreen}, {'g', kLime}}));
    case 5:  // a pear
      return finish(
          from_grid({"....b.......", ".....bL.....", ".....LLL....", ".....yy.....", "....yyyy....",
                     "....yyyy....", "...yyyyyy...", "..yYyyyyyy..", "..YyyyyyyyY.", "..yyyyyyyyY.",
                     "...yyyyyyY..", "....YYYYY..."},
                    Legend{{'b', kChestnut}, {'L', kGreen}, {'y', kChartreuse}, {'Y', kOlive}}));
    case 6:  // an apple
      return finish(from_grid(
          {"............", ".....b......", ".....bLL....", "...rrbrrr...", "..rrrrrrrr..",
           ".rwrrrrrrrr.", ".rwrrrrrrrr.", ".rrrrrrrrrR.", ".rrrrrrrrrR.", "..rrrrrrrR..",
           "..RrrRrrRR..", "...RR..RR..."},
          Legend{{'b', kChestnut}, {'L', kGreen}, {'r', kRed}, {'R', kDarkRed}, {'w', kPalePink}}));
    case 7:  // a speckled egg
      return finish(from_grid({"............", "............", ".....cc.....", "....cccc....",
                               "...cwcccc...", "...wcccsc...", "..cccscccc..", "..ccccccsc..",
                               "..cscccccc..", "..cccccscC..", "...ccccCC...", "....CCCC...."},
                              Legend{{'c', kCream}, {'w', kWhite}, {'s', kTan}, {'C', kSkin}}));
    case 8:  // a cut ruby
      return finish(from_grid({"............", "............", "............", "...rrrrrr...",
                               "..rRwRRrRr..", ".rRwRRRRrRr.", "rrrrrrrrrrrr", ".rRRRRRRRRr.",
                               "..rRRRRRRr..", "...rRRRRr...", "....rRRr....", ".....rr....."},
                              Legend{{'r', kDarkRed}, {'R', kRed}, {'w', kPalePink}}));
    default:  // a wrapped sweet that glows
      return finish(
          from_grid({"............", "............", "............", "............", "p..........p",
                     "pp.oooooo.pp", "ppoOOOOOOopp", "ppoOwOOOOopp", "ppoOOOOOOopp", "pp.oooooo.pp",
                     "p..........p", "............"},
                    Legend{{'p', kPinkish}, {'o', kOrangeRed}, {'O', kOrange}, {'w', kPaleLemon}}));
  }
}

}  // namespace

void add_captives(AssetSet& set) {
  for (int level = 1; level <= 9; ++level) {
    const Canvas first = captive(level);
    set.picture(std::string(kCaptiveFiles[level][0]) + ".xxx", finish(first));
    set.picture(std::string(kCaptiveFiles[level][1]) + ".xxx", finish(swayed(first, 9)));
  }
  set.picture("pitfallbonus1.xxx", gold_bar(1));
  set.picture("pitfallbonus2.xxx", gold_bar(2));
  set.picture("pengobonus.xxx", bonus(2));
  set.picture("froggerbonus.xxx", bonus(3));
  for (int f = 1; f <= 4; ++f)
    set.picture("qbertbonus" + std::to_string(f) + ".xxx", spinning_cube(f));
  set.picture("pacmanbonus.xxx", bonus(5));
  set.picture("pooyanbonus.xxx", bonus(6));
  set.picture("joustbonus.xxx", bonus(7));
  set.picture("junglehuntbonus.xxx", bonus(8));
  set.picture("ETbonus.xxx", bonus(9));
}

}  // namespace kelvo::assets
