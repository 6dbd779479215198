// Little-endian integers of the stored formats the library reads and writes
// (BMP pictures and screenshots, picture and sound packs, WAVE files), taken
// from and put into byte arrays one byte at a time, whatever the machine.
#ifndef MU_APP_LITTLE_ENDIAN_H
#define MU_APP_LITTLE_ENDIAN_H

#include <cstdint>

namespace mu {

inline std::uint16_t Le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline void PutLe16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutLe32(std::uint8_t* p, std::uint32_t v) {
  PutLe16(p, v);
  PutLe16(p + 2, v >> 16);
}

}  // namespace mu

#endif
