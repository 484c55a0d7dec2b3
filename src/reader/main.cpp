// qvrace-reader: the helper behind IsolatedMapReader(). It reads one map in the
// in-process way and reports through its exit code and standard output, so that a
// map that crashes or exhausts StormLib takes only this process down.
//
//   qvrace-reader inspect MAP              -> exit 0 and a MapInfo on stdout, or 10
//   qvrace-reader copy MAP NAME OUTPUT     -> exit 0 / 10 / 11 / 12 (see the protocol)
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "isolated_map_reader.h"
#include "map_reader.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_READER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QV_READER_ASAN 1
#endif

#ifdef QV_READER_ASAN
// Sanitizer builds cannot run under an address-space limit (the shadow memory
// alone exceeds it), so the parent leaves it off and the resident size is capped here.
extern "C" const char* __asan_default_options() {
  return "hard_rss_limit_mb=512:allocator_may_return_null=1:detect_leaks=0";
}
#endif

namespace {

int Inspect(const char* map) {
  qv::MapInfo info;
  if (!qv::DirectMapReader().Inspect(map, &info)) return qv::reader_protocol::kUnreadable;
  std::string text = qv::reader_protocol::SerializeMapInfo(info);
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    return qv::reader_protocol::kUnreadable;
  }
  return qv::reader_protocol::kOk;
}

int Copy(const char* map, const char* name, const char* output) {
  switch (qv::DirectMapReader().CopyOut(map, name, output)) {
  case qv::CopyResult::Copied:
    return qv::reader_protocol::kOk;
  case qv::CopyResult::NotInMap:
    return qv::reader_protocol::kNotInMap;
  case qv::CopyResult::WriteFailed:
    return qv::reader_protocol::kWriteFailed;
  case qv::CopyResult::MapUnreadable:
    break;
  }
  return qv::reader_protocol::kUnreadable;
}

} // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::strcmp(argv[1], "inspect") == 0) return Inspect(argv[2]);
    if (argc == 5 && std::strcmp(argv[1], "copy") == 0) return Copy(argv[2], argv[3], argv[4]);
  } catch (const std::bad_alloc&) {
    return qv::reader_protocol::kUnreadable;
  }
  std::fprintf(stderr, "usage: qvrace-reader inspect MAP | copy MAP NAME OUTPUT\n");
  return qv::reader_protocol::kUsage;
}
