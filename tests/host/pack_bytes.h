// Pack files byte by byte for the tests, native and under Wine: raw entries
// with any sizes and names (damaged ones included), and a walk over the
// entries of a well-formed pack.
#ifndef MU_TESTS_HOST_PACK_BYTES_H
#define MU_TESTS_HOST_PACK_BYTES_H

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace packbytes {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// One raw entry: the sizes as stored, the name bytes (a zero byte is added
// unless told not to) and the given pack pixels.
inline void Entry(Bytes& pack, unsigned width, unsigned height, const std::string& name,
                  const std::vector<std::uint16_t>& pixels, bool zeroByte = true) {
  Put16(pack, width);
  Put16(pack, height);
  pack.insert(pack.end(), name.begin(), name.end());
  if (zeroByte) pack.push_back(0);
  for (std::uint16_t p : pixels) Put16(pack, p);
}

// An entry whose pixels count up from `first`.
inline void Counting(Bytes& pack, unsigned width, unsigned height, const std::string& name,
                     std::uint16_t first = 1) {
  std::vector<std::uint16_t> pixels(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = static_cast<std::uint16_t>((first + i) & 0x7FFF);
  }
  Entry(pack, width, height, name, pixels);
}

// The entries of a well-formed pack, in file order: name and whole entry bytes.
struct Stored {
  std::string name;
  Bytes bytes;
};
inline std::vector<Stored> Entries(const Bytes& pack) {
  std::vector<Stored> entries;
  std::size_t at = 0;
  while (at + 4 < pack.size()) {
    const std::size_t pixels =
        2u * (pack[at] | pack[at + 1] << 8) * (pack[at + 2] | pack[at + 3] << 8);
    const auto zero = std::find(pack.begin() + at + 4, pack.end(), 0);
    if (zero == pack.end()) break;
    const std::string name(pack.begin() + at + 4, zero);
    const std::size_t end = at + 4 + name.size() + 1 + pixels;
    if (end > pack.size()) break;
    entries.push_back({name, Bytes(pack.begin() + at, pack.begin() + end)});
    at = end;
  }
  return entries;
}

}  // namespace packbytes

#endif
