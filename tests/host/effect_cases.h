// The kernel table of the native effect tests: every effect kernel registers a
// row (from a *_cases.cpp file of its own area) saying how to run it with
// arguments drawn from a seeded generator. effect_paths_test.cpp walks the
// table: fast path = reference bit for bit on awkward views, and 32-bit
// results within one five-bit level of the 5-5-5 ones. OnBothPaths runs a
// test's own check on each path.
#ifndef MU_TESTS_HOST_EFFECT_CASES_H
#define MU_TESTS_HOST_EFFECT_CASES_H

#include <initializer_list>
#include <random>
#include <vector>

#include "draw/effects/channels.h"
#include "draw/pixels/pixel_view.h"

namespace effectcases {

// Runs check() on the reference loops, then on the fast paths (left in force).
template <typename Check>
void OnBothPaths(Check check) {
  for (mu::KernelPath path : {mu::KernelPath::kReference, mu::KernelPath::kFast}) {
    mu::kernelPath = path;
    check();
  }
}

// Arguments for one run; the same seed gives the same arguments.
class Args {
 public:
  explicit Args(unsigned seed) : rng_(seed) {}
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Flag() { return Int(0, 1) == 1; }
  int Level() { return Int(0, 5) == 0 ? (Flag() ? 0 : 31) : Int(0, 31); }
  // 0..1: the ends, steps of 1/32, tiny values and any float between.
  float Unit() {
    switch (Int(0, 6)) {
      case 0: return 0.0f;
      case 1: return 1.0f;
      case 2: return static_cast<float>(Int(0, 32)) / 32.0f;
      case 3: return 1e-30f * static_cast<float>(Int(1, 9));
      default: return std::uniform_real_distribution<float>(0.0f, 1.0f)(rng_);
    }
  }

 private:
  std::mt19937 rng_;
};

struct Case {
  const char* name;
  // Runs the kernel on target and source views of equal size.
  void (*run)(mu::PixelView dst, mu::ConstPixelView src, const mu::PixelFormat& f, Args& args);
};

// Adds an area's rows to the table (from a static object of its file).
struct Register {
  Register(std::initializer_list<Case> rows);
};
const std::vector<Case>& Cases();

}  // namespace effectcases

#endif
