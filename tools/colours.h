// Named entries of the default palette that the pictures are painted with.
#pragma once

#include <cstdint>

namespace kelvo::assets::col {

// Greys. Entry 16 of the ramp is pure black and is never used in a see-through picture.
inline constexpr uint8_t kInk = 17;  // darkest visible outline colour (141414)
inline constexpr uint8_t kGrey20 = 18;
inline constexpr uint8_t kGrey2D = 19;
inline constexpr uint8_t kGrey39 = 20;
inline constexpr uint8_t kGrey45 = 21;
inline constexpr uint8_t kGrey51 = 22;
inline constexpr uint8_t kGrey61 = 23;
inline constexpr uint8_t kGrey71 = 24;
inline constexpr uint8_t kGrey82 = 25;
inline constexpr uint8_t kGrey92 = 26;
inline constexpr uint8_t kGreyA2 = 27;
inline constexpr uint8_t kGreyB6 = 28;
inline constexpr uint8_t kGreyCA = 29;
inline constexpr uint8_t kGreyE3 = 30;
inline constexpr uint8_t kWhite = 15;

// Text colours.
inline constexpr uint8_t kNavy = 1;
inline constexpr uint8_t kGreen = 2;
inline constexpr uint8_t kTeal = 3;
inline constexpr uint8_t kMaroon = 4;
inline constexpr uint8_t kPurple = 5;
inline constexpr uint8_t kBrown = 6;
inline constexpr uint8_t kSilver = 7;
inline constexpr uint8_t kDim = 8;
inline constexpr uint8_t kSoftBlue = 9;
inline constexpr uint8_t kLime = 10;
inline constexpr uint8_t kAqua = 11;
inline constexpr uint8_t kSalmon = 12;
inline constexpr uint8_t kPink = 13;
inline constexpr uint8_t kLemon = 14;

// Bright saturated hues.
inline constexpr uint8_t kBlue = 32;
inline constexpr uint8_t kViolet = 34;
inline constexpr uint8_t kMagenta = 36;
inline constexpr uint8_t kRose = 38;
inline constexpr uint8_t kRed = 40;
inline constexpr uint8_t kOrangeRed = 41;
inline constexpr uint8_t kOrange = 42;
inline constexpr uint8_t kAmber = 43;
inline constexpr uint8_t kYellow = 44;
inline constexpr uint8_t kChartreuse = 46;
inline constexpr uint8_t kBrightGreen = 48;
inline constexpr uint8_t kSpring = 50;
inline constexpr uint8_t kCyan = 52;
inline constexpr uint8_t kSky = 53;
inline constexpr uint8_t kAzure = 54;
inline constexpr uint8_t kRoyalBlue = 55;

// Bright medium hues.
inline constexpr uint8_t kPeriwinkle = 56;
inline constexpr uint8_t kLilac = 58;
inline constexpr uint8_t kPinkish = 62;
inline constexpr uint8_t kCoral = 64;
inline constexpr uint8_t kPeach = 65;
inline constexpr uint8_t kSkin = 66;
inline constexpr uint8_t kCream = 67;
inline constexpr uint8_t kPaleYellow = 68;
inline constexpr uint8_t kMint = 72;
inline constexpr uint8_t kLightCyan = 76;
inline constexpr uint8_t kLightSky = 77;
inline constexpr uint8_t kCornflower = 78;
inline constexpr uint8_t kLightBlue = 79;

// Bright pale hues.
inline constexpr uint8_t kPaleBlue = 80;
inline constexpr uint8_t kPaleMauve = 82;
inline constexpr uint8_t kPalePink = 86;
inline constexpr uint8_t kPaleRose = 88;
inline constexpr uint8_t kPaleSkin = 90;
inline constexpr uint8_t kPaleGold = 91;
inline constexpr uint8_t kPaleLemon = 92;
inline constexpr uint8_t kPaleGreen = 96;
inline constexpr uint8_t kPaleCyan = 100;
inline constexpr uint8_t kPaleSky = 101;
inline constexpr uint8_t kPaleAzure = 102;

// Medium saturated hues.
inline constexpr uint8_t kDeepBlue = 104;
inline constexpr uint8_t kIndigo = 106;
inline constexpr uint8_t kPlum = 108;
inline constexpr uint8_t kWine = 110;
inline constexpr uint8_t kDarkRed = 112;
inline constexpr uint8_t kRust = 113;
inline constexpr uint8_t kChestnut = 114;
inline constexpr uint8_t kOlive = 116;
inline constexpr uint8_t kForest = 120;
inline constexpr uint8_t kDarkTeal = 124;
inline constexpr uint8_t kSea = 126;

// Medium muted hues.
inline constexpr uint8_t kSlate = 128;
inline constexpr uint8_t kDusk = 130;
inline constexpr uint8_t kMauve = 132;
inline constexpr uint8_t kMutedRed = 136;
inline constexpr uint8_t kTan = 138;
inline constexpr uint8_t kKhaki = 140;
inline constexpr uint8_t kMoss = 144;
inline constexpr uint8_t kSteel = 148;
inline constexpr uint8_t kDenim = 150;

// Medium pale hues.
inline constexpr uint8_t kHaze = 152;
inline constexpr uint8_t kHazeViolet = 154;
inline constexpr uint8_t kHazeMauve = 156;
inline constexpr uint8_t kHazeRose = 158;
inline constexpr uint8_t kHazeTan = 162;
inline constexpr uint8_t kHazeGreen = 168;
inline constexpr uint8_t kHazeSteel = 172;
inline constexpr uint8_t kHazeSlate = 174;

// Dark saturated hues.
inline constexpr uint8_t kMidnight = 176;
inline constexpr uint8_t kDarkViolet = 178;
inline constexpr uint8_t kAubergine = 180;
inline constexpr uint8_t kOxblood = 184;
inline constexpr uint8_t kUmber = 186;
inline constexpr uint8_t kDarkOlive = 188;
inline constexpr uint8_t kPine = 192;
inline constexpr uint8_t kDarkSea = 196;

// Dark muted hues.
inline constexpr uint8_t kNight = 200;
inline constexpr uint8_t kNightViolet = 202;
inline constexpr uint8_t kNightPlum = 204;
inline constexpr uint8_t kNightRed = 208;
inline constexpr uint8_t kNightBrown = 210;
inline constexpr uint8_t kNightOlive = 212;
inline constexpr uint8_t kNightGreen = 216;
inline constexpr uint8_t kNightTeal = 220;

// Dark pale hues.
inline constexpr uint8_t kShadow = 224;
inline constexpr uint8_t kShadowPlum = 228;
inline constexpr uint8_t kShadowBrown = 232;
inline constexpr uint8_t kShadowOlive = 236;
inline constexpr uint8_t kShadowGreen = 240;
inline constexpr uint8_t kShadowTeal = 244;

}  // namespace kelvo::assets::col
