#include "app/sound/MixerApi.h"

#ifndef ZT_SOUND_LINKED
#include <dlfcn.h>
#endif

namespace zt::sound {
namespace {

#ifdef ZT_SOUND_LINKED

bool Fill(MixerApi& api, std::string&) {
#define ZT_BIND(field, symbol) api.field = &symbol;
#include "app/sound/MixerSymbols.inc"
#undef ZT_BIND
  return true;
}

#else

void* OpenLibrary(const char* soname, const char* fallback) {
  void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (!handle) handle = dlopen(fallback, RTLD_NOW | RTLD_LOCAL);
  return handle;
}

bool Fill(MixerApi& api, std::string& error) {
  // Loaded for the rest of the run: FluidSynth and the audio back ends start
  // threads of their own and do not take kindly to being unloaded.
  void* sdl = OpenLibrary(ZT_SDL2_SONAME, "libSDL2.so");
  void* mixer = sdl ? OpenLibrary(ZT_SDL2_MIXER_SONAME, "libSDL2_mixer.so") : nullptr;
  if (!mixer) {
    const char* why = dlerror();
    error = why ? why : "SDL2_mixer not found";
    return false;
  }
  bool complete = true;
  auto bind = [&](auto& field, const char* name) {
    void* library = name[0] == 'S' ? sdl : mixer;
    void* symbol = dlsym(library, name);
    if (!symbol) {
      complete = false;
      error = std::string("missing ") + name;
    }
    field = reinterpret_cast<std::remove_reference_t<decltype(field)> >(symbol);
  };
#define ZT_BIND(field, symbol) bind(api.field, #symbol);
#include "app/sound/MixerSymbols.inc"
#undef ZT_BIND
  return complete;
}

#endif

}  // namespace

const MixerApi* LoadMixerApi(std::string& error) {
  static MixerApi api;
  static std::string failure;
  static const bool loaded = Fill(api, failure);
  if (!loaded) error = failure;
  return loaded ? &api : nullptr;
}

}  // namespace zt::sound
