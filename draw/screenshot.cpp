// Screenshots (muDraw::SaveScreen): the back screen's top-left part, locked,
// written as a 24-bit BMP file by draw/screenshot_file.
#include <mu.h>

#include "app/paths.h"
#include "draw/pixels/surface_lock.h"
#include "draw/screenshot_file.h"

namespace muDraw {

int SaveScreen(const char* fileName, int width, int height) {
  SurfaceLock lock(backScreen, DDLOCK_WAIT | DDLOCK_READONLY);
  if (!lock.Locked()) return 0;
  const mu::PixelView screen = lock.View();
  // A part larger than the back screen would be read past its memory.
  if (width < 0 || height < 0 || width > screen.width || height > screen.height) return 0;
  // The writer follows the locked surface's own format; a format it has no
  // writer for, or a file that cannot be made, writes nothing.
  char path[muSystem::kTextBufferSize];
  if (mu::JoinPath(path, sizeof path, muSystem::GetExeDir(0), fileName ? fileName : "")) {
    const mu::PixelFormat format = lock.ViewFormat();
    mu::WriteScreenshot(path, mu::AsConst(screen.Sub(0, 0, width, height, format.bytesPerPixel)),
                        format);
  }
  return 1;
}

}  // namespace muDraw
