// The game's sounds, composed and synthesised here: music loops, jingles and effects.
#include <cmath>
#include <string>

#include "tools/asset_set.h"
#include "tools/synth.h"

namespace kelvo::assets {
namespace {

// Headroom: the mixer adds the sounds that play at once and clips whatever passes full scale.
// The loudest mix the game makes is a tune, the thunder of level 10 and one effect together, so
// their peaks share full scale (32767) between them: 14500 + 8500 + 9000 = 32000.
constexpr int kTunePeak = 14500;
constexpr int kThunderPeak = 8500;
constexpr int kEffectPeak = 9000;

const Envelope kPluck{0.004, 0.10, 0.45, 0.03};
const Envelope kPad{0.01, 0.05, 0.8, 0.04};
const Envelope kHat{0.001, 0.03, 0.0, 0.01};
const Envelope kSnare{0.001, 0.09, 0.0, 0.02};
const Envelope kBlip{0.002, 0.02, 0.9, 0.01};

// The level tune: eight bars in C, lead on a thin square, bass on the triangle, noise drums.
// Each bar is eight steps of an eighth note.
constexpr const char* kLead =
    "C5-1 E5-1 G5-2 E5-1 C5-1 D5-2 "
    "E5-1 F5-1 G5-2 A5-2 G5-2 "
    "F5-1 E5-1 D5-2 C5-1 D5-1 E5-2 "
    "D5-2 B4-2 G4-4 "
    "A4-1 C5-1 E5-2 A5-1 G5-1 E5-2 "
    "F5-1 E5-1 D5-2 C5-2 A4-2 "
    "B4-1 D5-1 F5-2 E5-1 D5-1 C5-2 "
    "D5-2 E5-1 D5-1 C5-4";
constexpr const char* kBass =
    "C3-2 G3-2 C3-2 G3-2 C3-2 G3-2 E3-2 G3-2 "
    "F2-2 C3-2 F2-2 C3-2 G2-2 D3-2 G2-2 B2-2 "
    "A2-2 E3-2 A2-2 E3-2 F2-2 C3-2 F2-2 A2-2 "
    "G2-2 D3-2 G2-2 B2-2 C3-2 G3-2 C3-4";
// A second voice a third or sixth under the lead in the second half, for lift.
constexpr const char* kHarmony =
    "R-32 "
    "E4-1 A4-1 C5-2 E5-1 E5-1 C5-2 "
    "A4-1 G4-1 F4-2 E4-2 F4-2 "
    "G4-1 B4-1 D5-2 C5-1 B4-1 A4-2 "
    "B4-2 C5-1 B4-1 G4-4";
constexpr int kLoopSteps = 64;

const Envelope kKick{0.001, 0.12, 0.0, 0.02};

// Kick on beats 1 and 3, snare on 2 and 4, hi-hat on every step.
void drums(Track& t, double step, int steps, double volume) {
  for (int i = 0; i < steps; ++i) {
    t.note(i * step, 0.02, 9000, Wave::kNoise, volume * 0.35, kHat);
    if (i % 4 == 0) t.note(i * step, 0.1, 150, Wave::kTriangle, volume * 0.8, kKick, 0.35);
    if (i % 4 == 2) t.note(i * step, 0.08, 2500, Wave::kNoise, volume * 0.6, kSnare);
  }
}

std::vector<int16_t> level_music(double step) {
  Track t(kLoopSteps * step);
  t.sequence(0, kLead, step, Wave::kSquare25, 0.30, kPluck);
  t.sequence(0, kLead, step, Wave::kSquare50, 0.08, kPluck, -12);  // soft octave below
  t.sequence(0, kHarmony, step, Wave::kSquare50, 0.12, kPluck);
  t.sequence(0, kBass, step, Wave::kTriangle, 0.45, kPad);
  drums(t, step, kLoopSteps, 1.0);
  t.fade_tail(0.02);
  return t.render(kTunePeak);
}

// The super-mode tune: bright arpeggios over a pumping bass, four bars looping.
std::vector<int16_t> hurry_music() {
  const double step = 60.0 / 176 / 4;  // sixteenths
  constexpr const char* kArp =
      "C5-1 E5-1 G5-1 C6-1 G5-1 E5-1 C5-1 E5-1 C5-1 E5-1 G5-1 C6-1 E6-1 C6-1 G5-1 E5-1 "
      "A4-1 C5-1 F5-1 A5-1 F5-1 C5-1 A4-1 C5-1 A4-1 C5-1 F5-1 A5-1 C6-1 A5-1 F5-1 C5-1 "
      "B4-1 D5-1 G5-1 B5-1 G5-1 D5-1 B4-1 D5-1 B4-1 D5-1 G5-1 B5-1 D6-1 B5-1 G5-1 D5-1 "
      "C5-1 E5-1 G5-1 C6-1 E6-1 G6-1 E6-1 C6-1 G5-1 E5-1 C5-1 E5-1 G5-1 C6-1 G5-1 E5-1";
  constexpr const char* kPump =
      "C3-2 C4-2 C3-2 C4-2 C3-2 C4-2 C3-2 C4-2 F2-2 F3-2 F2-2 F3-2 F2-2 F3-2 F2-2 F3-2 "
      "G2-2 G3-2 G2-2 G3-2 G2-2 G3-2 G2-2 G3-2 C3-2 C4-2 C3-2 C4-2 G2-2 G3-2 B2-2 B3-2";
  Track t(64 * step);
  t.sequence(0, kArp, step, Wave::kSquare25, 0.26, kBlip);
  t.sequence(0, kPump, step, Wave::kTriangle, 0.5, kPad);
  drums(t, step * 2, 32, 0.9);
  t.fade_tail(0.015);
  return t.render(kTunePeak);
}

std::vector<int16_t> jingle(const char* lead, const char* bass, double step, double seconds) {
  Track t(seconds);
  t.sequence(0, lead, step, Wave::kSquare25, 0.32, kPluck);
  t.sequence(0, lead, step, Wave::kTriangle, 0.18, kPad, -12);
  if (bass) t.sequence(0, bass, step, Wave::kTriangle, 0.4, kPad);
  t.fade_tail(0.05);
  return t.render(kTunePeak);
}

std::vector<int16_t> effect(double seconds, void (*build)(Track&), int peak = kEffectPeak) {
  Track t(seconds);
  build(t);
  t.fade_tail(0.01);
  return t.render(peak);
}

// The hero's jump: one clean, quick rise, a square voice over a triangle an octave below.
void jump(Track& t) {
  t.note(0, 0.11, 260, Wave::kSquare25, 0.35, kBlip, 3.2);
  t.note(0, 0.11, 130, Wave::kTriangle, 0.3, kBlip, 3.2);
}

// A banana thrown at him: the opposite of the jump. It spins off with a falling, fluttering
// whistle (short pulses, each lower than the last) over a swelling whoosh of air.
void banana_throw(Track& t) {
  const Envelope pulse{0.002, 0.01, 0.8, 0.008};
  for (int i = 0; i < 10; ++i)
    t.note(i * 0.03, 0.018, 1500 * std::pow(0.88, i), Wave::kTriangle, 0.4, pulse, 0.93);
  t.note(0, 0.3, 3000, Wave::kNoise, 0.22, Envelope{0.08, 0.15, 0.4, 0.05}, 0.4);
}

// The storm's thunder: a crack, then a falling rumble.
void thunder(Track& t) {
  t.note(0, 0.12, 4000, Wave::kNoise, 0.7, Envelope{0.001, 0.1, 0.3, 0.05});
  t.note(0.05, 2.2, 220, Wave::kNoise, 0.8, Envelope{0.02, 1.6, 0.25, 0.3}, 0.5);
  t.note(0.4, 1.4, 140, Wave::kNoise, 0.6, Envelope{0.1, 0.8, 0.3, 0.3});
}

// The villain's cackle. The closing scene restarts it on every frame of the laugh, and the mixer
// then plays it from its start at each of its 1024-sample buffers: while he laughs, the first
// buffer repeats about 21 times a second. That buffer holds one short "keh" between silences, so
// the repeats make a fast, even cackle; when the laugh ends the whole sound plays out, the
// syllables falling in pitch into a long last "haaa".
void cackle(Track& t) {
  const Envelope voiced{0.002, 0.012, 0.75, 0.01};
  const Envelope breath{0.001, 0.004, 0.3, 0.004};
  const double pitch[6] = {520, 500, 470, 440, 400, 330};
  for (int i = 0; i < 6; ++i) {
    const double start = i * 0.115 + (i == 5 ? 0.03 : 0.0);
    const bool last = i == 5;
    t.note(start, 0.006, 6000, Wave::kNoise, 0.22, breath);
    t.note(start + 0.002, last ? 0.3 : 0.018, pitch[i], Wave::kSquare25, 0.4, voiced,
           last ? 0.7 : 0.85, last ? 0.8 : 0.0);
  }
}

}  // namespace

void add_sounds(AssetSet& set) {
  set.sound("level.yyy",
            jingle("G4-1 C5-1 E5-1 G5-2 E5-1 G5-1 A5-1 G5-4", "C3-4 F2-4 C3-4", 0.11, 1.6));
  set.sound("jump.yyy", effect(0.18, jump));
  set.sound("music3.yyy", level_music(60.0 / 140 / 2));
  set.sound("hurry.yyy", hurry_music());
  set.sound("music3_2x.yyy", level_music(60.0 / 140 / 4));
  set.sound("die.yyy", effect(1.0, [](Track& t) {
              for (int i = 0; i < 6; ++i)
                t.note(i * 0.13, 0.11, 700 - i * 90, Wave::kSquare50, 0.3, kBlip, 0.7);
            }));
  set.sound("fall.yyy", effect(1.6, [](Track& t) {
              t.note(0, 1.5, 1400, Wave::kTriangle, 0.5, kPad, 0.18, 0.4);
            }));
  set.sound("banane2.yyy", effect(0.4, banana_throw));
  set.sound("tonnerre1.yyy", effect(2.6, thunder, kThunderPeak));
  set.sound("coeur4.yyy", effect(0.45, [](Track& t) {
              t.sequence(0, "E6-1 G6-1 B6-1 E7-3", 0.05, Wave::kTriangle, 0.5, kPluck);
            }));
  set.sound("coeur4b.yyy", effect(0.45, [](Track& t) {
              t.sequence(0, "G6-1 B6-1 D7-1 G7-3", 0.05, Wave::kTriangle, 0.5, kPluck);
            }));
  set.sound("music2.yyy", jingle("E5-1 G5-1 C6-2 B5-1 G5-1 E5-2 F5-1 A5-1 D6-2 C6-1 B5-1 C6-6",
                                 "C3-4 E3-4 F2-4 G2-4 C3-6", 0.11, 2.3));
  set.sound("bonus.yyy", effect(0.35, [](Track& t) {
              t.sequence(0, "C6-1 E6-1 G6-1 C7-2", 0.045, Wave::kSquare25, 0.3, kBlip);
            }));
  set.sound("rire.yyy", effect(1.0, cackle));
  set.sound("beep.yyy",
            effect(0.09, [](Track& t) { t.note(0, 0.07, 1046.5, Wave::kSquare50, 0.3, kBlip); }));
}

}  // namespace kelvo::assets
