// Sound slots, requirement words and the play, loop and stop rules.
#include "runtime/services/sound.h"

#include <algorithm>

namespace kelvo {
namespace {

constexpr int kFullVolume = 128;
constexpr double kBytesPerSecond = 22050.0 * 2 * 2;

struct Word {
  std::string_view name;
  uint32_t capability;
};
constexpr Word kWords[] = {{"SYNC", kSoundSync},
                           {"VOL", kSoundVol},
                           {"PAUSE", kSoundPause},
                           {"LEN", kSoundLen},
                           {"SETPOS", 0}};

// Only the letters a-z change case; other bytes stay as given. Only spaces count as blanks.
std::string upper_trimmed(std::string_view word) {
  const size_t first = word.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  word = word.substr(first, word.find_last_not_of(' ') - first + 1);
  std::string out(word);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

}  // namespace

std::optional<SoundRequirements> parse_sound_requirements(std::string_view text) {
  SoundRequirements req;
  if (text.empty()) return req;
  bool seen[std::size(kWords)] = {};
  for (;;) {
    const size_t comma = text.find(',');
    const std::string word = upper_trimmed(text.substr(0, comma));
    const auto* known = std::find_if(std::begin(kWords), std::end(kWords),
                                     [&](const Word& w) { return w.name == word; });
    if (known == std::end(kWords) || seen[known - kWords]) return std::nullopt;
    seen[known - kWords] = true;
    req.capabilities |= known->capability;
    if (known->name == "SETPOS") req.setPosition = true;
    if (comma == std::string_view::npos) return req;
    text.remove_prefix(comma + 1);
  }
}

// Nothing runs while an error is pending; the device opens on the first operation that does.
bool Sound::ready() {
  if (errors_.pending() || !backend_) return false;
  if (device_ == Device::Closed) device_ = backend_->open_device() ? Device::Open : Device::Failed;
  return device_ == Device::Open;
}

// The slot of `handle` in either constness of the table; null when no open sound has it.
template <class Self>
auto* Sound::lookup(Self& self, int32_t handle) {
  decltype(&self.stream_) none = nullptr;
  if (handle == 0) return none;
  if (handle == kStreamHandle) return self.stream_.handle == handle ? &self.stream_ : none;
  const auto it = std::find_if(self.slots_.begin(), self.slots_.end(),
                               [&](const SoundSlot& s) { return s.handle == handle; });
  return it == self.slots_.end() ? none : &*it;
}

const SoundSlot* Sound::slot(int32_t handle) const {
  return lookup(*this, handle);
}

// A non-zero handle that names no open sound is an illegal function call.
SoundSlot* Sound::find(int32_t handle) {
  SoundSlot* found = lookup(*this, handle);
  if (!found) errors_.raise_error(kIllegalFunctionCall);
  return found;
}

int32_t Sound::open(std::string_view path, std::string_view requirements) {
  if (!ready()) return 0;
  const int32_t handle = open_checked(path, requirements);
  trace_.event("sound_open", std::string(path) + " " + std::to_string(handle));
  return handle;
}

int32_t Sound::open_checked(std::string_view path, std::string_view requirements) {
  const auto req = parse_sound_requirements(requirements);
  if (!req) {
    errors_.raise_error(kIllegalFunctionCall);
    return 0;
  }
  return (req->capabilities & kSoundSync) ? open_chunk(path, *req) : open_stream(path, *req);
}

// An in-memory sound owns the channel of its slot, so any number of them can sound at once.
// A file that cannot be loaded gives handle 0 and no error: the game plays on in silence.
int32_t Sound::open_chunk(std::string_view path, const SoundRequirements& req) {
  if (req.setPosition) return 0;
  const auto free =
      std::find_if(slots_.begin(), slots_.end(), [](const SoundSlot& s) { return s.handle == 0; });
  if (free == slots_.end()) return 0;
  SoundSlot& s = *free;
  s = SoundSlot{};
  backend_->set_channel_volume(channel_of(s), kFullVolume);
  const auto chunk = backend_->load_chunk(std::string(path));
  if (!chunk) return 0;
  s.chunk = chunk->id;
  s.lengthSeconds = chunk->bytes / kBytesPerSecond;
  s.capabilities = req.capabilities;
  s.path = path;
  s.handle = take_handle();
  return s.handle;
}

int32_t Sound::open_stream(std::string_view path, const SoundRequirements& req) {
  if (stream_.handle != 0) {
    errors_.raise_error(kIllegalFunctionCall);
    return 0;
  }
  if (!backend_->load_music(std::string(path))) return 0;
  if (req.setPosition && !backend_->music_is_mp3()) {
    backend_->free_music();
    return 0;
  }
  backend_->set_music_volume(kFullVolume);
  stream_ = SoundSlot{};
  stream_.capabilities = req.capabilities;
  stream_.path = path;
  stream_.handle = kStreamHandle;
  return kStreamHandle;
}

// Handles count up from 2; 0 means no sound and 1 is the streamed sound, so the wrap skips both.
int32_t Sound::take_handle() {
  const auto handle = static_cast<int32_t>(nextHandle_);
  if (++nextHandle_ == 0) nextHandle_ = 2;
  return handle;
}

void Sound::play(int32_t handle) {
  if (!ready() || handle == 0) return;
  SoundSlot* s = find(handle);
  if (!s) return;
  trace_.event("sound_play", s->path);
  if (s->paused) {
    resume(*s);
  } else {
    start(*s, 0);
  }
}

void Sound::loop(int32_t handle) {
  if (!ready() || handle == 0) return;
  SoundSlot* s = find(handle);
  if (!s) return;
  if (s->limitMs > 0) {  // a cut-off sound cannot repeat
    errors_.raise_error(kIllegalFunctionCall);
    return;
  }
  trace_.event("sound_loop", s->path);
  halt_and_clear(*s);
  start(*s, -1);
}

void Sound::stop(int32_t handle) {
  if (!ready() || handle == 0) return;
  SoundSlot* s = find(handle);
  if (!s) return;
  trace_.event("sound_stop", s->path);
  halt_and_clear(*s);
}

// Halting first makes a second play restart the sound instead of layering it over itself.
void Sound::start(SoundSlot& s, int loops) {
  s.looping = loops != 0;
  halt(s);
  if (!launch(s, loops)) return;  // the mixer refused: the sound stays silent, no error
  s.startTicks = clock_.ticks();
  s.playing = true;
}

bool Sound::launch(SoundSlot& s, int loops) {
  if (&s == &stream_) return backend_->play_music(loops);
  return backend_->play_channel(channel_of(s), s.chunk, loops, s.limitMs > 0 ? s.limitMs : -1);
}

// The pause does not count towards the time played.
void Sound::resume(SoundSlot& s) {
  if (&s == &stream_) {
    backend_->resume_music();
  } else {
    backend_->resume_channel(channel_of(s));
  }
  s.paused = false;
  s.startTicks += clock_.ticks() - s.pausedTicks;
}

void Sound::halt(SoundSlot& s) {
  if (&s == &stream_) {
    backend_->halt_music();
  } else {
    backend_->halt_channel(channel_of(s));
  }
}

void Sound::halt_and_clear(SoundSlot& s) {
  halt(s);
  s.playing = false;
  s.paused = false;
  s.looping = false;
}

}  // namespace kelvo
