// Loading SDL_mixer with dlopen and reading its functions.
#include "platform/mixer_library.h"

#include <dlfcn.h>

#include <optional>

namespace kelvo {
namespace {

constexpr const char* kMixerSoname = "libSDL_mixer-1.2.so.0";

struct Loaded {
  std::optional<MixerLibrary> library;
  std::string error;
};

// Reads one function into `slot`; false, with the reason in `error`, when it is missing.
template <typename Function>
bool take(void* handle, const char* name, Function& slot, std::string& error) {
  slot = reinterpret_cast<Function>(dlsym(handle, name));
  if (!slot) error = std::string(kMixerSoname) + " has no " + name;
  return slot != nullptr;
}

Loaded load() {
  Loaded out;
  // Never closed: the mixer's audio thread and exit handlers use it until the process ends.
  void* handle = dlopen(kMixerSoname, RTLD_NOW | RTLD_GLOBAL);
  if (!handle) {
    const char* why = dlerror();
    out.error = why ? why : kMixerSoname;
    return out;
  }
  MixerLibrary m{};
  std::string& e = out.error;
  const bool all =
      take(handle, "Mix_OpenAudio", m.OpenAudio, e) &&
      take(handle, "Mix_CloseAudio", m.CloseAudio, e) &&
      take(handle, "Mix_QuerySpec", m.QuerySpec, e) &&
      take(handle, "Mix_AllocateChannels", m.AllocateChannels, e) &&
      take(handle, "Mix_SetPostMix", m.SetPostMix, e) &&
      take(handle, "Mix_LoadWAV_RW", m.LoadWAV_RW, e) &&
      take(handle, "Mix_FreeChunk", m.FreeChunk, e) &&
      take(handle, "Mix_PlayChannelTimed", m.PlayChannelTimed, e) &&
      take(handle, "Mix_HaltChannel", m.HaltChannel, e) &&
      take(handle, "Mix_Resume", m.Resume, e) && take(handle, "Mix_Volume", m.Volume, e) &&
      take(handle, "Mix_LoadMUS", m.LoadMUS, e) && take(handle, "Mix_FreeMusic", m.FreeMusic, e) &&
      take(handle, "Mix_GetMusicType", m.GetMusicType, e) &&
      take(handle, "Mix_PlayMusic", m.PlayMusic, e) &&
      take(handle, "Mix_HaltMusic", m.HaltMusic, e) &&
      take(handle, "Mix_ResumeMusic", m.ResumeMusic, e) &&
      take(handle, "Mix_VolumeMusic", m.VolumeMusic, e) &&
      take(handle, "Mix_LoadAIFF_RW", m.LoadAIFF_RW, e) &&
      take(handle, "Mix_LoadOGG_RW", m.LoadOGG_RW, e) &&
      take(handle, "Mix_LoadFLAC_RW", m.LoadFLAC_RW, e) &&
      take(handle, "Mix_LoadVOC_RW", m.LoadVOC_RW, e);
  if (all) out.library = m;
  return out;
}

const Loaded& loaded() {
  static const Loaded once = load();
  return once;
}

}  // namespace

const MixerLibrary* mixer_library() {
  const Loaded& l = loaded();
  return l.library ? &*l.library : nullptr;
}

std::string mixer_load_error() {
  return loaded().error;
}

}  // namespace kelvo
