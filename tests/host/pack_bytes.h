// Pack files byte by byte for the tests, native and under Wine: raw entries
// with any sizes and names (damaged ones included), a walk over the entries
// of a well-formed pack, the bytes a writer puts into a file, and seeded
// damage for the picture and sound pack readers.
#ifndef MU_TESTS_HOST_PACK_BYTES_H
#define MU_TESTS_HOST_PACK_BYTES_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
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

// The bytes write(file) puts into a scratch file.
template <typename Write>
Bytes Written(Write write) {
  std::FILE* file = std::tmpfile();
  write(file);
  Bytes bytes(static_cast<std::size_t>(std::ftell(file)));
  std::rewind(file);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  return bytes;
}

// Damage as a pack on a user's disk may show it, from a seeded sequence (the
// same seed gives the same packs). By round: a few random bytes; a size field
// of `fieldBytes` bytes made random, huge or small; the file cut short; zero
// bytes (the ends of names) overwritten; a bit flipped and the end cut.
class Damage {
 public:
  Damage(std::uint32_t seed, int fieldBytes) : seed_(seed), fieldBytes_(fieldBytes) {}
  Bytes operator()(Bytes pack, int round) {
    if (pack.size() < static_cast<std::size_t>(fieldBytes_)) return pack;
    switch (round % 5) {
      case 0:
        for (int k = 0; k < 3; ++k) pack[Next() % pack.size()] = static_cast<std::uint8_t>(Next() >> 24);
        break;
      case 1: {
        const std::uint64_t top = (1ull << (8 * fieldBytes_)) - 1;
        const std::uint64_t v = (Next() & 1) ? Next() & top : (Next() & 1) ? top - Next() % 64 : Next() % 64;
        const std::size_t at = Next() % (pack.size() - fieldBytes_ + 1);
        for (int i = 0; i < fieldBytes_; ++i) pack[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        break;
      }
      case 2:
        pack.resize(Next() % pack.size());
        break;
      case 3:
        for (std::uint8_t& b : pack) {
          if (b == 0 && Next() % 3 == 0) b = 'Z';
        }
        break;
      default:
        pack[Next() % pack.size()] ^= static_cast<std::uint8_t>(1u << (Next() % 8));
        pack.resize(pack.size() - std::min<std::size_t>(pack.size(), Next() % 24));
    }
    return pack;
  }

 private:
  std::uint32_t Next() { return seed_ = seed_ * 1664525u + 1013904223u; }
  std::uint32_t seed_;
  int fieldBytes_;
};

}  // namespace packbytes

#endif
