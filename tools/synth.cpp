// Oscillators, envelopes and the note sequencer.
#include "tools/synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/asset_set.h"

namespace kelvo::assets {

double note_frequency(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

Track::Track(double seconds) : mix_(static_cast<size_t>(seconds * kSampleRate + 0.5), 0.0) {}

void Track::note(double start, double length, double frequency, Wave wave, double volume,
                 const Envelope& env, double slide, double vibrato) {
  const size_t first = static_cast<size_t>(start * kSampleRate + 0.5);
  const double total = length + env.release;
  const size_t count = static_cast<size_t>(total * kSampleRate);
  double phase = 0.0;
  uint32_t lfsr = 0x7A5Fu;
  double noise_value = 0.0;
  double noise_clock = 0.0;
  for (size_t i = 0; i < count && first + i < mix_.size(); ++i) {
    const double t = double(i) / kSampleRate;
    double level;
    if (t < env.attack)
      level = t / env.attack;
    else if (t < env.attack + env.decay)
      level = 1.0 - (1.0 - env.sustain) * (t - env.attack) / env.decay;
    else
      level = env.sustain;
    if (t > length) level *= std::max(0.0, 1.0 - (t - length) / env.release);
    double f = frequency * std::pow(slide, t / total);
    if (vibrato > 0) f *= std::pow(2.0, vibrato * std::sin(2 * 3.14159265358979 * 6.0 * t) / 12.0);
    phase += f / kSampleRate;
    phase -= std::floor(phase);
    double v = 0.0;
    switch (wave) {
      case Wave::kSquare25:
        v = phase < 0.25 ? 1.0 : -1.0;
        break;
      case Wave::kSquare50:
        v = phase < 0.5 ? 1.0 : -1.0;
        break;
      case Wave::kTriangle:
        v = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
        break;
      case Wave::kNoise:
        noise_clock += f / kSampleRate;
        while (noise_clock >= 1.0) {
          noise_clock -= 1.0;
          const uint32_t bit = ((lfsr >> 0) ^ (lfsr >> 1)) & 1u;
          lfsr = (lfsr >> 1) | (bit << 14);
          noise_value = (lfsr & 1u) ? 1.0 : -1.0;
        }
        v = noise_value;
        break;
    }
    mix_[first + i] += v * level * volume;
  }
}

double Track::sequence(double start, std::string_view line, double step, Wave wave, double volume,
                       const Envelope& env, int transpose) {
  static const int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  double t = start;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos >= line.size()) break;
    size_t end = line.find(' ', pos);
    if (end == std::string_view::npos) end = line.size();
    const std::string token(line.substr(pos, end - pos));
    pos = end;
    const size_t dash = token.find('-');
    if (dash == std::string::npos) throw std::runtime_error("bad note token " + token);
    const double steps = std::stod(token.substr(dash + 1));
    if (token[0] != 'R') {
      int k = 1;
      int semitone = kSemitone[token[0] - 'A'];
      if (token[k] == '#') ++semitone, ++k;
      const int octave = token[k] - '0';
      const int midi = 12 * (octave + 1) + semitone + transpose;
      note(t, steps * step * 0.92, note_frequency(midi), wave, volume, env);
    }
    t += steps * step;
  }
  return t;
}

void Track::fade_tail(double seconds) {
  const size_t n = static_cast<size_t>(seconds * kSampleRate);
  for (size_t i = 0; i < n && i < mix_.size(); ++i) mix_[mix_.size() - 1 - i] *= double(i) / n;
}

std::vector<int16_t> Track::render(int peak) const {
  double loudest = 0.0;
  for (double v : mix_) loudest = std::max(loudest, std::fabs(v));
  const double gain = loudest > 0 ? peak / loudest : 0.0;
  std::vector<int16_t> out(mix_.size());
  for (size_t i = 0; i < mix_.size(); ++i)
    out[i] = static_cast<int16_t>(std::clamp(std::lround(mix_[i] * gain), -32767L, 32767L));
  return out;
}

}  // namespace kelvo::assets
