// Locked surfaces as pixel views. A SurfaceLock locks a whole DirectDraw
// surface (waiting while the blitter is busy) and unlocks it when it goes out
// of scope, on every path; SpriteOnScreen is the effects' pair, the sprite
// locked first and the back screen second, unlocked in the same order.
#ifndef MU_DRAW_PIXELS_SURFACE_LOCK_H
#define MU_DRAW_PIXELS_SURFACE_LOCK_H

#include <mu.h>

#include "draw/pixels/pixel_view.h"

namespace muDraw {

class SurfaceLock {
 public:
  // flags: DDLOCK_WAIT, plus DDLOCK_READONLY for a surface that is only read.
  explicit SurfaceLock(LPDIRECTDRAWSURFACE surface, DWORD flags = DDLOCK_WAIT);
  ~SurfaceLock() { Unlock(); }
  SurfaceLock(const SurfaceLock&) = delete;
  SurfaceLock& operator=(const SurfaceLock&) = delete;

  bool Locked() const { return locked_; }
  HRESULT Result() const { return result_; }            // DDERR_SURFACELOST after a loss
  bool Lost() const { return result_ == DDERR_SURFACELOST; }
  mu::PixelView View() const;                           // the whole surface; empty if not locked
  int BitsPerPixel() const { return static_cast<int>(desc_.ddpfPixelFormat.dwRGBBitCount); }
  const DDPIXELFORMAT& Format() const { return desc_.ddpfPixelFormat; }
  mu::PixelFormat ViewFormat() const;                   // Format() as the pixel layer has it
  void Unlock();                                        // early unlock; safe to repeat

 private:
  LPDIRECTDRAWSURFACE surface_;
  DDSURFACEDESC desc_;
  HRESULT result_;
  bool locked_;
};

// The effects' common frame: both surfaces locked, or neither. Locks the
// source first; when the target's lock fails the source is unlocked again.
class SpriteOnScreen {
 public:
  SpriteOnScreen(LPDIRECTDRAWSURFACE source, LPDIRECTDRAWSURFACE target);
  ~SpriteOnScreen() { Unlock(); }
  SpriteOnScreen(const SpriteOnScreen&) = delete;
  SpriteOnScreen& operator=(const SpriteOnScreen&) = delete;

  bool Locked() const { return source_.Locked() && target_.Locked(); }
  bool Lost() const { return source_.Lost() || target_.Lost(); }
  mu::PixelView Source() const { return source_.View(); }
  mu::PixelView Target() const { return target_.View(); }
  // True when both surfaces have this many bits per pixel.
  bool BothAt(int bitsPerPixel) const {
    return source_.BitsPerPixel() == bitsPerPixel && target_.BitsPerPixel() == bitsPerPixel;
  }
  void Unlock();   // the source, then the target

 private:
  SurfaceLock source_;
  SurfaceLock target_;
};

}  // namespace muDraw

#endif
