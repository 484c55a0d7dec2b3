// StormLib's Linux build keeps its own GetLastError and SetLastError, plain C
// functions of those names, and the engine asks them after a failed read. In a
// Winelib program the same names are Wine's kernel32 functions, and winebuild
// binds every reference to them, the engine's included. So the Winelib build
// renames the engine's references (objcopy, see CMakeLists.txt) to the two
// functions below, which reach StormLib's own functions by asking the dynamic
// linker inside StormLib's library.
#include <dlfcn.h>

extern "C" {
// Any StormLib function will do to find its library.
bool SFileCloseArchive(void* archive);

unsigned qv_storm_GetLastError();
void qv_storm_SetLastError(unsigned code);
}

namespace {

void* StormFunction(const char* name) {
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&SFileCloseArchive), &info) == 0 || info.dli_fname == nullptr)
    return nullptr;
  void* library = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
  return library != nullptr ? dlsym(library, name) : nullptr;
}

} // namespace

extern "C" unsigned qv_storm_GetLastError() {
  static const auto get = reinterpret_cast<unsigned (*)()>(StormFunction("GetLastError"));
  return get != nullptr ? get() : 0;
}

extern "C" void qv_storm_SetLastError(unsigned code) {
  static const auto set = reinterpret_cast<void (*)(unsigned)>(StormFunction("SetLastError"));
  if (set != nullptr) set(code);
}
