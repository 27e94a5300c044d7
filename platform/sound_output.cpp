// Muting and pausing the mixer's output.
#include "platform/sound_output.h"

#include <SDL.h>

#include <atomic>
#include <cstring>

#include "platform/mixer_library.h"

namespace kelvo {
namespace {

std::atomic<bool> muted{false};

// The audio thread, after the mixer has mixed a buffer.
void silence_when_muted(void*, Uint8* stream, int length) {
  if (muted.load(std::memory_order_relaxed)) std::memset(stream, 0, static_cast<size_t>(length));
}

}  // namespace

void install_output_mute() {
  mixer_library()->SetPostMix(silence_when_muted, nullptr);
}

void set_output_muted(bool on) {
  muted.store(on);
}

bool output_muted() {
  return muted.load();
}

void pause_output(bool paused) {
  if (SDL_GetAudioStatus() != SDL_AUDIO_STOPPED) SDL_PauseAudio(paused ? 1 : 0);
}

}  // namespace kelvo
