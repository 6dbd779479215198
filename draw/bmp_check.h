// Whether a BMP picture may be handed to the system's picture loader: its
// headers are checked against the bytes that really exist, so that a damaged
// file (a broken download, a full disk) is refused with the library's error
// instead of making the loader read outside it. Plain C++ on bytes in memory.
//
// A picture passes when every byte the loader reads lies inside the given
// bytes: the headers, the bit-field masks, the colour table, every row of an
// uncompressed picture, and every code of a run-length picture up to its
// end-of-picture code, with every run and jump staying inside the picture.
#ifndef MU_DRAW_BMP_CHECK_H
#define MU_DRAW_BMP_CHECK_H

#include <cstddef>
#include <cstdint>

namespace mu {

// A picture must fit in a surface: at most this many pixels a side, so the
// pixel count stays below 2^28 and every byte count of the check fits 64 bits
// with room to spare.
constexpr std::int64_t kBmpSideMax = 16384;

enum BmpFault {
  kBmpSound = 0,     // the loader may read it
  kBmpFileHeader,    // no "BM", or a file size or pixel offset outside the file
  kBmpInfoHeader,    // an info header size the system does not read, or cut off
  kBmpDimensions,    // a width or height of 0, negative width, or over kBmpSideMax
  kBmpFormat,        // a bit count or compression the loader does not take
  kBmpMasks,         // bit-field masks missing
  kBmpColorTable,    // the colour table reaches past the end
  kBmpPixels,        // fewer pixel bytes than height x stride
  kBmpRuns,          // a run, jump or code outside the picture or the data
  kBmpProfile,       // a colour profile outside the data
};

// A BMP file: file header, info header, colour table, pixels at the offset
// the file header names.
BmpFault CheckBmpFile(const std::uint8_t* data, std::size_t size);

// A bitmap resource: the info header first, the pixels right after the
// masks and the colour table.
BmpFault CheckBmpResource(const std::uint8_t* data, std::size_t size);

}  // namespace mu

#endif
