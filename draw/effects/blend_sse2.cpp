// Vector paths of the blending and tone kernels: eight 16-bit pixels (or four
// 32-bit ones) at a time, each channel in its own 16-bit lanes, with the same
// results as the reference loops bit for bit (tested against them).
#include "draw/effects/effect_paths.h"

#ifdef __SSE2__
#include "draw/effects/sse2_pixels.h"

namespace mu {
namespace sse2 {

namespace {

// The three level components of s and d, combined per channel by op(sc, dc, c)
// and put back at the top5 positions.
template <typename ChannelOp>
void LevelRows16(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelOp op) {
  const Lanes16 l = LevelLanes(f);
  Rows<std::uint16_t>(dst, src, [&](__m128i s, __m128i d) {
    __m128i out = _mm_setzero_si128();
    for (int c = 0; c < 3; ++c) out = _mm_or_si128(out, Place(op(Take(s, l, c), Take(d, l, c), c), l, c));
    return out;
  });
}

// One channel of a planned float blend (AlphaPlan): base + floor((other -
// base) x A / 32768), computed as the high half of 2 (other - base) x A. The
// base is the target's component, or the source's in the lanes where
// fromSource is all ones; the other one is the remaining component:
// sc ^ dc ^ base is dc where base = sc and sc where base = dc.
inline __m128i PlannedChannel(__m128i sc, __m128i dc, __m128i fromSource, __m128i a) {
  const __m128i base = _mm_or_si128(_mm_and_si128(fromSource, sc), _mm_andnot_si128(fromSource, dc));
  const __m128i other = _mm_xor_si128(_mm_xor_si128(sc, dc), base);
  const __m128i diff = _mm_slli_epi16(_mm_sub_epi16(other, base), 1);
  return _mm_add_epi16(base, _mm_mulhi_epi16(diff, a));
}

}  // namespace

bool HalfBlend(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  // A lane-wide shift moves each channel's lowest bit into the channel below;
  // the half mask clears every such bit, so each channel is halved alone.
  if (f.Sixteen()) {
    const __m128i half = _mm_set1_epi16(static_cast<short>(f.halfMask));
    Rows<std::uint16_t>(dst, src, [half](__m128i s, __m128i d) {
      return _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(s, 1), half),
                           _mm_and_si128(_mm_srli_epi16(d, 1), half));
    });
  } else {
    const __m128i half = _mm_set1_epi32(static_cast<int>(f.halfMask));
    Rows<std::uint32_t>(dst, src, [half](__m128i s, __m128i d) {
      return _mm_add_epi32(_mm_and_si128(_mm_srli_epi32(s, 1), half),
                           _mm_and_si128(_mm_srli_epi32(d, 1), half));
    });
  }
  return true;
}

bool AlphaRows(PixelView dst, ConstPixelView src, const PixelFormat& f, const AlphaPlan& plan) {
  if (!f.Sixteen()) return false;
  const Lanes16 l = NativeLanes(f);
  __m128i a[3], sourceBase[3];
  for (int c = 0; c < 3; ++c) {
    a[c] = _mm_set1_epi16(static_cast<short>(plan.multiplier[c]));
    sourceBase[c] = plan.baseIsSource[c] ? _mm_set1_epi16(-1) : _mm_setzero_si128();
  }
  Rows<std::uint16_t>(dst, src, [&](__m128i s, __m128i d) {
    __m128i out = _mm_setzero_si128();
    for (int c = 0; c < 3; ++c) {
      out = _mm_or_si128(out, Place(PlannedChannel(Take(s, l, c), Take(d, l, c), sourceBase[c], a[c]), l, c));
    }
    return out;
  });
  return true;
}

bool FadeRows(PixelView dst, ConstPixelView src, const PixelFormat& f, const FadeCuts& cuts) {
  if (ByteChannels(f)) {
    const __m128i sc = ChannelBytes(f, cuts.source), dc = ChannelBytes(f, cuts.target);
    const __m128i white = _mm_set1_epi32(static_cast<int>(f.white));
    Rows<std::uint32_t>(dst, src, [&](__m128i s, __m128i d) {
      return _mm_and_si128(_mm_adds_epu8(_mm_subs_epu8(s, sc), _mm_subs_epu8(d, dc)), white);
    });
    return true;
  }
  if (!f.Sixteen()) return false;
  __m128i sc[3], dc[3];
  for (int c = 0; c < 3; ++c) {
    sc[c] = _mm_set1_epi16(static_cast<short>(cuts.source[c]));
    dc[c] = _mm_set1_epi16(static_cast<short>(cuts.target[c]));
  }
  const __m128i top = _mm_set1_epi16(31);
  LevelRows16(dst, src, f, [&](__m128i s, __m128i d, int c) {
    return _mm_min_epi16(_mm_add_epi16(_mm_subs_epu16(s, sc[c]), _mm_subs_epu16(d, dc[c])), top);
  });
  return true;
}

bool AlphaColumns(PixelView dst, ConstPixelView src, const PixelFormat& f, const ColumnAlpha& columns) {
  if (!f.Sixteen()) return false;
  const Lanes16 l = NativeLanes(f);
  auto load = [](const std::int16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  RowsAt<std::uint16_t>(dst, src, [&](__m128i s, __m128i d, int x) {
    __m128i out = _mm_setzero_si128();
    for (int c = 0; c < 3; ++c) {
      const __m128i v = PlannedChannel(Take(s, l, c), Take(d, l, c), load(columns.sourceBase[c] + x),
                                       load(columns.multiplier[c] + x));
      out = _mm_or_si128(out, Place(v, l, c));
    }
    return out;
  });
  return true;
}

bool FadeColumns(PixelView dst, ConstPixelView src, const PixelFormat& f, const ColumnCuts& columns) {
  auto load = [](const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); };
  if (ByteChannels(f)) {
    const __m128i white = _mm_set1_epi32(static_cast<int>(f.white));
    RowsAt<std::uint32_t>(dst, src, [&](__m128i s, __m128i d, int x) {
      return _mm_and_si128(_mm_adds_epu8(_mm_subs_epu8(s, load(columns.sourceBytes + x)),
                                         _mm_subs_epu8(d, load(columns.targetBytes + x))),
                           white);
    });
    return true;
  }
  if (!f.Sixteen()) return false;
  const Lanes16 l = LevelLanes(f);
  const __m128i top = _mm_set1_epi16(31);
  RowsAt<std::uint16_t>(dst, src, [&](__m128i s, __m128i d, int x) {
    __m128i out = _mm_setzero_si128();
    for (int c = 0; c < 3; ++c) {
      const __m128i v = _mm_add_epi16(_mm_subs_epu16(Take(s, l, c), load(columns.source[c] + x)),
                                      _mm_subs_epu16(Take(d, l, c), load(columns.target[c] + x)));
      out = _mm_or_si128(out, Place(_mm_min_epi16(v, top), l, c));
    }
    return out;
  });
  return true;
}

bool AddBlend(PixelView dst, ConstPixelView src, const PixelFormat& f, int cut) {
  if (ByteChannels(f)) {
    const int cuts[3] = {LevelTo8(cut), LevelTo8(cut), LevelTo8(cut)};
    const __m128i cv = ChannelBytes(f, cuts);
    const __m128i white = _mm_set1_epi32(static_cast<int>(f.white));
    Rows<std::uint32_t>(dst, src, [&](__m128i s, __m128i d) {
      return _mm_and_si128(_mm_adds_epu8(_mm_subs_epu8(s, cv), d), white);
    });
    return true;
  }
  if (!f.Sixteen()) return false;
  const __m128i cv = _mm_set1_epi16(static_cast<short>(cut)), top = _mm_set1_epi16(31);
  LevelRows16(dst, src, f, [&](__m128i s, __m128i d, int) {
    return _mm_min_epi16(_mm_add_epi16(_mm_subs_epu16(s, cv), d), top);
  });
  return true;
}

bool ShadowBlend(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  if (ByteChannels(f)) {
    const __m128i white = _mm_set1_epi32(static_cast<int>(f.white));
    const __m128i shift = _mm_cvtsi32_si128(static_cast<int>(f.channel[kRed].shift));
    const __m128i byte = _mm_set1_epi32(255);
    Rows<std::uint32_t>(dst, src, [&](__m128i s, __m128i d) {
      // The source's red in every byte of its lane.
      __m128i r = _mm_and_si128(_mm_srl_epi32(s, shift), byte);
      r = _mm_or_si128(r, _mm_slli_epi32(r, 8));
      r = _mm_or_si128(r, _mm_slli_epi32(r, 16));
      return _mm_and_si128(_mm_subs_epu8(d, r), white);
    });
    return true;
  }
  if (!f.Sixteen()) return false;
  const Lanes16 l = LevelLanes(f);
  Rows<std::uint16_t>(dst, src, [&](__m128i s, __m128i d) {
    const __m128i darkness = Take(s, l, kRed);
    __m128i out = _mm_setzero_si128();
    for (int c = 0; c < 3; ++c) out = _mm_or_si128(out, Place(_mm_subs_epu16(Take(d, l, c), darkness), l, c));
    return out;
  });
  return true;
}

bool Darken(PixelView dst, ConstPixelView src, const PixelFormat& f, const int cut[3]) {
  if (ByteChannels(f)) {
    const __m128i cv = ChannelBytes(f, cut);
    const __m128i white = _mm_set1_epi32(static_cast<int>(f.white));
    Rows<std::uint32_t>(dst, src, [&](__m128i s, __m128i) {
      return _mm_and_si128(_mm_subs_epu8(s, cv), white);
    });
    return true;
  }
  if (!f.Sixteen()) return false;
  __m128i cv[3];
  for (int c = 0; c < 3; ++c) cv[c] = _mm_set1_epi16(static_cast<short>(cut[c]));
  LevelRows16(dst, src, f, [&](__m128i s, __m128i, int c) { return _mm_subs_epu16(s, cv[c]); });
  return true;
}

bool Brightness(PixelView dst, ConstPixelView src, const PixelFormat& f, const ScaleSteps steps[3]) {
  if (!f.Sixteen()) return false;
  __m128i a[3];
  for (int c = 0; c < 3; ++c) {
    if (steps[c].multiplier < 0) return false;
    a[c] = _mm_set1_epi16(static_cast<short>(steps[c].multiplier));
  }
  const Lanes16 l = NativeLanes(f);
  Rows<std::uint16_t>(dst, src, [&](__m128i s, __m128i) {
    __m128i out = _mm_setzero_si128();
    for (int c = 0; c < 3; ++c) {
      // floor(v x A / 32768), unsigned: the high half of 2v x A.
      const __m128i v = _mm_slli_epi16(Take(s, l, c), 1);
      out = _mm_or_si128(out, Place(_mm_mulhi_epu16(v, a[c]), l, c));
    }
    return out;
  });
  return true;
}

bool GrayBlt(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  if (!f.Sixteen()) return false;
  const Lanes16 l = LevelLanes(f);
  // n / 3 for n = 0..93 is the high half of n x 21846 (65536 / 3 rounded up);
  // g placed at the three top5 positions is one product, the five-bit fields
  // not overlapping.
  const __m128i third = _mm_set1_epi16(21846);
  const __m128i spread = _mm_set1_epi16(static_cast<short>((1u << f.channel[kRed].top5) |
                                                           (1u << f.channel[kGreen].top5) |
                                                           (1u << f.channel[kBlue].top5)));
  Rows<std::uint16_t>(dst, src, [&](__m128i s, __m128i) {
    const __m128i n = _mm_add_epi16(_mm_add_epi16(Take(s, l, kRed), Take(s, l, kGreen)), Take(s, l, kBlue));
    return _mm_mullo_epi16(_mm_mulhi_epu16(n, third), spread);
  });
  return true;
}

bool ChannelMask(PixelView dst, ConstPixelView src, const PixelFormat& f, std::uint32_t keep) {
  if (f.Sixteen()) {
    const __m128i k = _mm_set1_epi16(static_cast<short>(keep));
    Rows<std::uint16_t>(dst, src, [k](__m128i s, __m128i) { return _mm_and_si128(s, k); });
  } else {
    const __m128i k = _mm_set1_epi32(static_cast<int>(keep));
    Rows<std::uint32_t>(dst, src, [k](__m128i s, __m128i) { return _mm_and_si128(s, k); });
  }
  return true;
}

}  // namespace sse2
}  // namespace mu

#endif
