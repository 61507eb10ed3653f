// The fuzz targets' invariant check: a broken one aborts with its text, so
// libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace zo::fuzz {

inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "Invariant broken: %s\n", what);
  std::abort();
}

}  // namespace zo::fuzz
