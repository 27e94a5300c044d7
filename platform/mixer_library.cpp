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
#define KELVO_MIXER_TAKE(name) take(handle, "Mix_" #name, m.name, e)&&
  const bool all = KELVO_MIXER_FUNCTIONS(KELVO_MIXER_TAKE) true;
#undef KELVO_MIXER_TAKE
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
