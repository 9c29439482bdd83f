#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A broken property stops the fuzzer, which keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

namespace torvane::fuzz {

// A file in a folder of this process, in memory where the system offers it:
// the targets that work on files rewrite one on every input.
inline const std::string& ScratchPath() {
  static const std::string path = [] {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string folder = std::string(base) + "/torvane-fuzz-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) std::abort();
    static std::string removeLater;
    removeLater = folder;
    std::atexit([] {
      std::remove((removeLater + "/file").c_str());
      rmdir(removeLater.c_str());
    });
    return folder + "/file";
  }();
  return path;
}

inline void WriteWhole(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(file != nullptr);
  FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  FUZZ_CHECK(std::fclose(file) == 0);
}

inline std::string ReadWhole(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  FUZZ_CHECK(file != nullptr);
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
    bytes.append(buffer, got);
  }
  std::fclose(file);
  return bytes;
}

}  // namespace torvane::fuzz
