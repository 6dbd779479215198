// Blending kernels: the reference loops, written as the rules read, and the
// fast paths (plain per-call tables here, vectors in blend_sse2.cpp).
#include "draw/effects/blend.h"

#include <algorithm>

#include "draw/effects/effect_paths.h"
#include "draw/effects/channels.h"

namespace mu {

namespace {

constexpr float kGradientStep = 0.03125f;   // 1/32: one step of a gradient's weight
constexpr int kGradientFalls = 33;          // weights 1 - alpha ... 0 in at most 32 falls, plus the start

template <typename P>
std::uint32_t FadePixel(std::uint32_t s, std::uint32_t d, const PixelFormat& f, const FadeCuts& cut) {
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const int sc = static_cast<int>(Depth<P>::Get(s, f, c)), dc = static_cast<int>(Depth<P>::Get(d, f, c));
    const int v = std::max(sc - cut.source[c], 0) + std::max(dc - cut.target[c], 0);
    out |= Depth<P>::Put(static_cast<std::uint32_t>(std::min(v, Depth<P>::kMax)), f, c);
  }
  return out;
}

template <typename P>
FadeCuts FadeCutsOf(const int level[3]) {
  FadeCuts cuts;
  for (int c = 0; c < 3; ++c) {
    cuts.source[c] = Depth<P>::Level(kTopLevel - level[c]);
    cuts.target[c] = Depth<P>::Level(level[c]);
  }
  return cuts;
}

// The per-pixel rule of the float blends: trunc(s x (1 - k) + d x k), formed
// in extended precision, k being the target's weight.
template <typename P>
std::uint32_t AlphaPixel(std::uint32_t s, std::uint32_t d, const PixelFormat& f, const float k[3]) {
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const long double sc = f.Get(s, c), dc = f.Get(d, c), kc = k[c];
    const long long v = static_cast<long long>(sc * (1.0L - kc) + dc * kc);
    out |= f.Put(static_cast<std::uint32_t>(std::clamp<long long>(v, 0, f.channel[c].max)), c);
  }
  return out;
}

// The fast form of the same blend from a plan: d + floor(w x (s - d)).
std::uint32_t PlannedPixel(std::uint32_t s, std::uint32_t d, const PixelFormat& f,
                           const AlphaPlan& plan) {
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const int sc = static_cast<int>(f.Get(s, c)), dc = static_cast<int>(f.Get(d, c));
    out |= f.Put(static_cast<std::uint32_t>(dc + plan.steps[c].Step(sc - dc)), c);
  }
  return out;
}

// One run of a float blend: the plan's fast form where the plan is exact, the
// rule's own arithmetic (`reference`, per pixel) where it is not.
template <typename P, typename Reference>
void AlphaRun(PixelView dst, ConstPixelView src, const PixelFormat& f, const AlphaPlan& plan,
              Reference reference) {
  if (!plan.exact) {
    EachPixel<P>(dst, src, reference);
    return;
  }
#ifdef __SSE2__
  if (plan.vector && sse2::AlphaRows(dst, src, f, plan)) return;
#endif
  EachPixel<P>(dst, src, [&](std::uint32_t s, std::uint32_t d) { return PlannedPixel(s, d, f, plan); });
}

// The weights of a gradient after each number of falls, by the same float
// steps as the rule takes them.
struct GradientWeights {
  float k[kGradientFalls][3];
};

GradientWeights WeightsOf(const float start[3]) {
  GradientWeights w;
  for (int c = 0; c < 3; ++c) w.k[0][c] = start[c];
  for (int j = 1; j < kGradientFalls; ++j) {
    for (int c = 0; c < 3; ++c) {
      const float next = w.k[j - 1][c] - kGradientStep;
      w.k[j][c] = next < 0 ? 0.0f : next;
    }
  }
  return w;
}

// The gradient's counter, index by index: how many falls happened before it.
class FallCounter {
 public:
  explicit FallCounter(const GradientSteps& g)
      : start_(static_cast<unsigned>(g.start) & 0xFFFFu), step_(g.step) {}
  int Next(int index) {
    if (start_ < static_cast<unsigned>(index) && ++counter_ >= step_) {
      counter_ = 0;
      falls_ = std::min(falls_ + 1, kGradientFalls - 1);
    }
    return falls_;
  }

 private:
  unsigned start_;
  int step_;
  int counter_ = 0, falls_ = 0;
};

template <typename P>
void AlphaGradientReference(PixelView dst, ConstPixelView src, const PixelFormat& f,
                            const float start[3], const GradientSteps& g) {
  const unsigned first = static_cast<unsigned>(g.start) & 0xFFFFu;
  float k[3];
  int counter = 0;
  auto advance = [&](int index) {
    if (first < static_cast<unsigned>(index) && ++counter >= g.step) {
      counter = 0;
      for (int c = 0; c < 3; ++c) {
        const float next = k[c] - kGradientStep;
        k[c] = next < 0 ? 0.0f : next;
      }
    }
  };
  std::copy(start, start + 3, k);
  for (int r = 0; r < dst.height; ++r) {
    if (g.vertical) {
      advance(r);
    } else {
      std::copy(start, start + 3, k);
      counter = 0;
    }
    P* d = dst.Row<P>(r);
    const P* s = src.Row<P>(r);
    for (int col = 0; col < dst.width; ++col) {
      if (!g.vertical) advance(col);
      if (s[col] != 0) d[col] = static_cast<P>(AlphaPixel<P>(s[col], d[col], f, k));
    }
  }
}

// Runs of equal fall counts, each handed on as a part of the views: rows for
// a vertical gradient, columns over every row otherwise (every row restarts
// the same count).
template <typename Run>
void GradientRuns(PixelView dst, ConstPixelView src, int bytes, const GradientSteps& g, Run run) {
  const int n = g.vertical ? dst.height : dst.width;
  FallCounter counter(g);
  int first = 0, falls = counter.Next(0);
  for (int i = 1; i <= n; ++i) {
    const int next = i < n ? counter.Next(i) : -1;
    if (next == falls) continue;
    if (g.vertical) {
      run(dst.Sub(0, first, dst.width, i - first, bytes), src.Sub(0, first, src.width, i - first, bytes), falls);
    } else {
      run(dst.Sub(first, 0, i - first, dst.height, bytes), src.Sub(first, 0, i - first, src.height, bytes), falls);
    }
    first = i;
    falls = next;
  }
}

template <typename P>
void AlphaGradientFast(PixelView dst, ConstPixelView src, const PixelFormat& f,
                       const float start[3], const GradientSteps& g) {
  const GradientWeights w = WeightsOf(start);
  AlphaPlan plans[kGradientFalls];
  bool built[kGradientFalls] = {};
  auto plan = [&](int j) -> const AlphaPlan& {
    if (!built[j]) {
      long double weight[3];
      for (int c = 0; c < 3; ++c) weight[c] = 1.0L - static_cast<long double>(w.k[j][c]);
      plans[j].Build(f, weight);
      built[j] = true;
    }
    return plans[j];
  };
#ifdef __SSE2__
  // Across the columns each row takes the same steps: the vector path reads
  // each column's plan from a table.
  if (!g.vertical && dst.width <= kMaxColumns) {
    static ColumnAlpha columns;
    FallCounter counter(g);
    bool vector = true;
    for (int x = 0; x < dst.width && vector; ++x) {
      const AlphaPlan& p = plan(counter.Next(x));
      vector = p.exact && p.vector;
      for (int c = 0; c < 3; ++c) {
        columns.multiplier[c][x] = static_cast<std::int16_t>(p.multiplier[c]);
        columns.sourceBase[c][x] = static_cast<std::int16_t>(p.baseIsSource[c] ? -1 : 0);
      }
    }
    if (vector && sse2::AlphaColumns(dst, src, f, columns)) return;
  }
#endif
  GradientRuns(dst, src, sizeof(P), g, [&](PixelView d, ConstPixelView s, int j) {
    const float* k = w.k[j];
    AlphaRun<P>(d, s, f, plan(j), [&](std::uint32_t sp, std::uint32_t dp) { return AlphaPixel<P>(sp, dp, f, k); });
  });
}

template <typename P>
void FadeRun(PixelView dst, ConstPixelView src, const PixelFormat& f, const FadeCuts& cuts) {
#ifdef __SSE2__
  if (FastPath() && sse2::FadeRows(dst, src, f, cuts)) return;
#endif
  EachPixel<P>(dst, src, [&](std::uint32_t s, std::uint32_t d) { return FadePixel<P>(s, d, f, cuts); });
}

template <typename P>
void FadeGradientTyped(PixelView dst, ConstPixelView src, const PixelFormat& f, const int level[3],
                       const GradientSteps& g) {
  // The fade index v = 31 - level of each channel falls by one per step while
  // above 0: the cuts after each number of falls, made once.
  FadeCuts cutsAfter[kGradientFalls];
  for (int falls = 0; falls < kGradientFalls; ++falls) {
    int lv[3];
    for (int c = 0; c < 3; ++c) lv[c] = kTopLevel - std::max(kTopLevel - level[c] - falls, 0);
    cutsAfter[falls] = FadeCutsOf<P>(lv);
  }
  if (!FastPath()) {
    FallCounter rows(g);
    int falls = 0;
    for (int r = 0; r < dst.height; ++r) {
      if (g.vertical) falls = rows.Next(r);
      FallCounter columns(g);
      P* d = dst.Row<P>(r);
      const P* s = src.Row<P>(r);
      for (int col = 0; col < dst.width; ++col) {
        if (!g.vertical) falls = columns.Next(col);
        if (s[col] != 0) d[col] = static_cast<P>(FadePixel<P>(s[col], d[col], f, cutsAfter[falls]));
      }
    }
    return;
  }
#ifdef __SSE2__
  if (!g.vertical && dst.width <= kMaxColumns) {
    static ColumnCuts columns;
    FallCounter counter(g);
    for (int x = 0; x < dst.width; ++x) {
      const FadeCuts& cuts = cutsAfter[counter.Next(x)];
      columns.sourceBytes[x] = columns.targetBytes[x] = 0;
      for (int c = 0; c < 3; ++c) {
        columns.source[c][x] = static_cast<std::int16_t>(cuts.source[c]);
        columns.target[c][x] = static_cast<std::int16_t>(cuts.target[c]);
        columns.sourceBytes[x] |= static_cast<std::uint32_t>(cuts.source[c] & 255) << (f.channel[c].shift & 31);
        columns.targetBytes[x] |= static_cast<std::uint32_t>(cuts.target[c] & 255) << (f.channel[c].shift & 31);
      }
    }
    if (sse2::FadeColumns(dst, src, f, columns)) return;
  }
#endif
  GradientRuns(dst, src, sizeof(P), g, [&](PixelView d, ConstPixelView s, int falls) {
    FadeRun<P>(d, s, f, cutsAfter[falls]);
  });
}

template <typename P>
void HalfTyped(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  const std::uint32_t half = f.halfMask;
  EachPixel<P>(dst, src, [half](std::uint32_t s, std::uint32_t d) {
    return ((s >> 1) & half) + ((d >> 1) & half);
  });
}

template <typename P>
void AddTyped(PixelView dst, ConstPixelView src, const PixelFormat& f, int cut) {
  const int sourceCut = Depth<P>::Level(cut);
  EachPixel<P>(dst, src, [&](std::uint32_t s, std::uint32_t d) {
    std::uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
      const int sc = static_cast<int>(Depth<P>::Get(s, f, c)), dc = static_cast<int>(Depth<P>::Get(d, f, c));
      const int v = std::min(std::max(sc - sourceCut, 0) + dc, Depth<P>::kMax);
      out |= Depth<P>::Put(static_cast<std::uint32_t>(v), f, c);
    }
    return out;
  });
}

template <typename P>
void ShadowTyped(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  EachPixel<P>(dst, src, [&](std::uint32_t s, std::uint32_t d) {
    const int darkness = static_cast<int>(Depth<P>::Get(s, f, kRed));
    std::uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
      const int dc = static_cast<int>(Depth<P>::Get(d, f, c));
      out |= Depth<P>::Put(static_cast<std::uint32_t>(std::max(dc - darkness, 0)), f, c);
    }
    return out;
  });
}

template <typename P>
void DarkenTyped(PixelView dst, ConstPixelView src, const PixelFormat& f, const int cut[3]) {
  EachPixel<P>(dst, src, [&](std::uint32_t s, std::uint32_t) {
    std::uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
      const int sc = static_cast<int>(Depth<P>::Get(s, f, c));
      out |= Depth<P>::Put(static_cast<std::uint32_t>(std::max(sc - cut[c], 0)), f, c);
    }
    return out;
  });
}

}  // namespace

void AlphaPlan::Build(const PixelFormat& f, const long double weight[3]) {
  exact = true;
  vector = true;
  for (int c = 0; c < 3; ++c) {
    const int max = static_cast<int>(f.channel[c].max);
    steps[c].Build(weight[c], max);
    exact = exact && steps[c].exact;
    baseIsSource[c] = false;
    multiplier[c] = steps[c].multiplier;
    if (multiplier[c] < 0) {
      // d + floor(w x (s - d)) = s + floor((1 - w) x (d - s)) for whole s, d.
      DifferenceSteps other;
      other.Build(1.0L - weight[c], max);
      baseIsSource[c] = true;
      multiplier[c] = other.multiplier;
    }
    vector = vector && multiplier[c] >= 0;
  }
}

void HalfBlend(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
#ifdef __SSE2__
    if (FastPath() && sse2::HalfBlend(dst, src, f)) return;
#endif
    HalfTyped<P>(dst, src, f);
  });
}

void AlphaBlend(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelFloats alpha) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    long double weight[3];
    for (int c = 0; c < 3; ++c) weight[c] = UnitValue(alpha.v[c]);
    auto rule = [&](std::uint32_t s, std::uint32_t d) {
      std::uint32_t out = 0;
      for (int c = 0; c < 3; ++c) {
        const long double sc = f.Get(s, c), dc = f.Get(d, c), a = weight[c];
        const long long v = static_cast<long long>(a * sc + (1.0L - a) * dc);
        out |= f.Put(static_cast<std::uint32_t>(v), c);
      }
      return out;
    };
    if (!FastPath()) {
      EachPixel<P>(dst, src, rule);
      return;
    }
    AlphaPlan plan;
    plan.Build(f, weight);
    AlphaRun<P>(dst, src, f, plan, rule);
  });
}

void FadeBlend(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelInts level) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    int lv[3];
    for (int c = 0; c < 3; ++c) lv[c] = LevelValue(level.v[c]);
    FadeRun<P>(dst, src, f, FadeCutsOf<P>(lv));
  });
}

void AlphaGradient(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelFloats alpha,
                   GradientSteps steps) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    float start[3];
    for (int c = 0; c < 3; ++c) start[c] = 1.0f - UnitValue(alpha.v[c]);
    if (FastPath()) {
      AlphaGradientFast<P>(dst, src, f, start, steps);
    } else {
      AlphaGradientReference<P>(dst, src, f, start, steps);
    }
  });
}

void FadeGradient(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelInts level,
                  GradientSteps steps) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    int lv[3];
    for (int c = 0; c < 3; ++c) lv[c] = LevelValue(level.v[c]);
    FadeGradientTyped<P>(dst, src, f, lv, steps);
  });
}

void AddBlend(PixelView dst, ConstPixelView src, const PixelFormat& f, int cut) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    const int c = LevelValue(cut);
#ifdef __SSE2__
    if (FastPath() && sse2::AddBlend(dst, src, f, c)) return;
#endif
    AddTyped<P>(dst, src, f, c);
  });
}

void ShadowBlend(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
#ifdef __SSE2__
    if (FastPath() && sse2::ShadowBlend(dst, src, f)) return;
#endif
    ShadowTyped<P>(dst, src, f);
  });
}

void Darken(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelInts level) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    int cut[3];
    for (int c = 0; c < 3; ++c) cut[c] = Depth<P>::Level(kTopLevel - LevelValue(level.v[c]));
#ifdef __SSE2__
    if (FastPath() && sse2::Darken(dst, src, f, cut)) return;
#endif
    DarkenTyped<P>(dst, src, f, cut);
  });
}

}  // namespace mu
