// Pictures for the native tests of pixel kernels: owned pixel memory with a
// padded pitch and a chosen start offset, filled from a seeded generator, and
// compared as views. Rows end in guard bytes that a kernel must never touch.
// Ints() shows a whole rectangle or clip result as text, to compare at once.
#ifndef MU_TESTS_HOST_PIXEL_PICTURES_H
#define MU_TESTS_HOST_PIXEL_PICTURES_H

#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "draw/pixels/pixel_view.h"

namespace pictures {

constexpr std::uint8_t kGuard = 0xA5;

class Picture {
 public:
  // width x height pixels of `bytes` each; every row padded by `padPixels` and
  // the first pixel placed `offsetPixels` pixels after the start of the memory
  // (so vector code meets starts that are not 16-byte aligned).
  Picture(int width, int height, int bytes, int padPixels = 3, int offsetPixels = 1)
      : width_(width), height_(height), bytes_(bytes),
        pitch_((width + padPixels) * bytes), offset_(offsetPixels * bytes),
        memory_(offset_ + static_cast<std::size_t>(pitch_) * (height > 0 ? height : 0) + 16,
                kGuard) {}

  mu::PixelView View() {
    return mu::PixelView{memory_.data() + offset_, pitch_, width_, height_};
  }
  mu::ConstPixelView View() const {
    return mu::ConstPixelView{memory_.data() + offset_, pitch_, width_, height_};
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

  std::uint32_t Get(int x, int y) const {
    std::uint32_t v = 0;
    std::memcpy(&v, memory_.data() + offset_ + y * pitch_ + x * bytes_, bytes_);
    return v;
  }
  void Set(int x, int y, std::uint32_t v) {
    std::memcpy(memory_.data() + offset_ + y * pitch_ + x * bytes_, &v, bytes_);
  }

  // Random pixels of the format (only channel bits set); about `zeroShare` of
  // them 0, the transparent value of the effects.
  void FillRandom(const mu::PixelFormat& f, std::uint32_t seed, double zeroShare = 0.2) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        std::uint32_t v = unit(rng) < zeroShare ? 0 : (rng() & f.white);
        Set(x, y, v);
      }
    }
  }
  void Fill(std::uint32_t v) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) Set(x, y, v);
  }
  // Every pixel its own nonzero number, 1 + x + y * width.
  void FillNumbered() {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) Set(x, y, 1 + x + y * width_);
  }
  int CountOf(std::uint32_t v) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += Get(x, y) == v;
    return n;
  }

  // True when no byte outside the pixels (padding, lead, tail) changed.
  bool GuardsIntact() const {
    for (int i = 0; i < offset_; ++i)
      if (memory_[i] != kGuard) return false;
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* row = memory_.data() + offset_ + y * pitch_;
      for (int i = width_ * bytes_; i < pitch_; ++i)
        if (row[i] != kGuard) return false;
    }
    for (std::size_t i = offset_ + static_cast<std::size_t>(pitch_) * height_; i < memory_.size(); ++i)
      if (memory_[i] != kGuard) return false;
    return true;
  }

  // The first pixel that differs from want(x, y) as "(x, y): got != want",
  // or "" when every pixel is as wanted.
  std::string FirstDifference(const std::function<std::uint32_t(int x, int y)>& want) const {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (Get(x, y) != want(x, y))
          return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " +
                 std::to_string(Get(x, y)) + " != " + std::to_string(want(x, y));
    return "";
  }
  std::string FirstDifference(const Picture& other) const {
    return FirstDifference([&](int x, int y) { return other.Get(x, y); });
  }

 private:
  int width_, height_, bytes_;
  std::ptrdiff_t pitch_;
  int offset_;
  std::vector<std::uint8_t> memory_;
};

// The int fields of a plain struct (a rectangle, an area, a clip result) in
// their order, as "a b c ..."; "nothing" when the result was not placed.
template <typename T>
std::string Ints(const T& fields, bool placed = true) {
  static_assert(sizeof(T) % sizeof(int) == 0, "a struct of ints");
  if (!placed) return "nothing";
  int v[sizeof(T) / sizeof(int)];
  std::memcpy(v, &fields, sizeof v);
  std::string text;
  for (int i : v) text += (text.empty() ? "" : " ") + std::to_string(i);
  return text;
}

}  // namespace pictures

#endif
