#include "draw/pixels/surface_lock.h"

namespace muDraw {

SurfaceLock::SurfaceLock(LPDIRECTDRAWSURFACE surface, DWORD flags)
    : surface_(surface), desc_(), result_(DDERR_INVALIDOBJECT), locked_(false) {
  desc_.dwSize = sizeof desc_;
  if (!surface_) return;
  result_ = surface_->Lock(nullptr, &desc_, flags, nullptr);
  locked_ = SUCCEEDED(result_) && desc_.lpSurface != nullptr;
}

mu::PixelView SurfaceLock::View() const {
  if (!locked_) return mu::PixelView{nullptr, 0, 0, 0};
  return mu::PixelView{static_cast<std::uint8_t*>(desc_.lpSurface), desc_.lPitch,
                       static_cast<int>(desc_.dwWidth), static_cast<int>(desc_.dwHeight)};
}

mu::PixelFormat SurfaceLock::ViewFormat() const {
  const DDPIXELFORMAT& f = desc_.ddpfPixelFormat;
  return mu::MakePixelFormat(BitsPerPixel(), f.dwRBitMask, f.dwGBitMask, f.dwBBitMask);
}

void SurfaceLock::Unlock() {
  if (!locked_) return;
  surface_->Unlock(desc_.lpSurface);
  locked_ = false;
}

// The target is constructed unlocked when the source failed: a null surface
// locks nothing.
SpriteOnScreen::SpriteOnScreen(LPDIRECTDRAWSURFACE source, LPDIRECTDRAWSURFACE target)
    : source_(source), target_(source_.Locked() ? target : nullptr) {
  if (!target_.Locked()) source_.Unlock();
}

void SpriteOnScreen::Unlock() {
  source_.Unlock();
  target_.Unlock();
}

}  // namespace muDraw
