// A tiny synthesiser: square, triangle and noise voices with envelopes, and a note sequencer.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvo::assets {

enum class Wave { kSquare25, kSquare50, kTriangle, kNoise };

struct Envelope {
  double attack = 0.005;  // seconds to full level
  double decay = 0.08;    // seconds from full level to the sustain level
  double sustain = 0.6;   // share of the full level
  double release = 0.03;  // seconds to silence after the note ends
};

// A mono mix buffer in floating point; `render` turns it into 16-bit samples.
class Track {
 public:
  explicit Track(double seconds);
  size_t size() const { return mix_.size(); }

  // One note at `start` seconds lasting `length` seconds (release comes after it), at
  // `frequency` Hz; `slide` multiplies the frequency over the note (1 = steady), `vibrato` is
  // its depth in semitones at 6 Hz.
  void note(double start, double length, double frequency, Wave wave, double volume,
            const Envelope& env, double slide = 1.0, double vibrato = 0.0);

  // Plays a line written as tokens "C5-2" (note, octave, length in steps), "D#4-1", "R-4" (rest)
  // from `start`, each step `step` seconds long. Returns the time after the last token.
  double sequence(double start, std::string_view line, double step, Wave wave, double volume,
                  const Envelope& env, int transpose = 0);

  // Notes are cut before this time with a short fade, so a looped piece ends in silence.
  void fade_tail(double seconds);
  // The mix scaled so that its largest sample is `peak` (of 32767): every sound gets the share
  // of full scale that its group is allowed in the loudest mix the game can play.
  std::vector<int16_t> render(int peak) const;

 private:
  std::vector<double> mix_;
};

double note_frequency(int midi);

}  // namespace kelvo::assets
