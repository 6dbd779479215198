// GDI drawing on the back screen: boxes, inverted boxes, lines, polygons,
// Bezier curves and single pixels. Each call takes the back screen's device
// context (draw/back_dc.h) and its own pen and brush, and gives everything
// back before it returns, so blits never meet a borrowed back screen. A
// context may be the library's own, kept from call to call, so each call
// leaves its state as it found it.
#include <mu.h>

#include "draw/back_dc.h"

namespace muDraw {

namespace {

// A pen or brush selected into a device context for one drawing call. A
// failed creation leaves the context's own object in use.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object) {
    if (object_) old_ = SelectObject(dc_, object_);
  }
  ~Selected() { Drop(); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  // Selects the replaced object back and deletes this one.
  void Drop() {
    if (!object_) return;
    if (old_) SelectObject(dc_, old_);
    ::DeleteObject(object_);
    object_ = nullptr;
  }

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ old_ = nullptr;
};

HBRUSH MakeBrush(UINT style, COLORREF color, ULONG_PTR hatch) {
  LOGBRUSH b = {style, color, hatch};
  return CreateBrushIndirect(&b);
}

}  // namespace

void Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF outline, int width) {
  BackScreenDC dc;
  if (!dc.get()) return;
  Selected brush(dc.get(), MakeBrush(BS_SOLID, fill, 0));
  Selected pen(dc.get(), CreatePen(PS_SOLID, width, outline));
  ::Rectangle(dc.get(), left, top, right, bottom);
  pen.Drop();     // pen first, then brush
  brush.Drop();
}

void InvertBox(int left, int top, int right, int bottom) {
  BackScreenDC dc;
  if (!dc.get()) return;
  RECT r = {left, top, right, bottom};
  InvertRect(dc.get(), &r);
}

void Line(int x1, int y1, int x2, int y2, COLORREF color, int width) {
  BackScreenDC dc;
  if (!dc.get()) return;
  Selected pen(dc.get(), CreatePen(PS_SOLID, width, color));
  MoveToEx(dc.get(), x1, y1, nullptr);
  LineTo(dc.get(), x2, y2);
}

void Polygon(const POINT* points, int count, COLORREF color, COLORREF background, int width,
             int fillMode) {
  if (!points || count <= 0) return;
  BackScreenDC dc;
  if (!dc.get()) return;
  Selected brush(dc.get(), MakeBrush(fillMode == 0 ? BS_HOLLOW : BS_HATCHED, color, HS_DIAGCROSS));
  Selected pen(dc.get(), CreatePen(PS_SOLID, width, color));
  // Mode 2 lets the gaps of the hatching show the picture; the other modes
  // paint them in the background colour. The context's mode and colour are
  // put back afterwards, so no call depends on what an earlier one left.
  int oldMode = GetBkMode(dc.get());
  COLORREF oldBack = GetBkColor(dc.get());
  if (fillMode == 2) {
    SetBkMode(dc.get(), TRANSPARENT);
  } else {
    SetBkMode(dc.get(), OPAQUE);
    SetBkColor(dc.get(), background);
  }
  ::Polygon(dc.get(), points, count);
  SetBkMode(dc.get(), oldMode);
  SetBkColor(dc.get(), oldBack);
  pen.Drop();
  brush.Drop();
}

void Bezier(const POINT* points, int count, COLORREF color, int width) {
  if (!points || count <= 0) return;
  BackScreenDC dc;
  if (!dc.get()) return;
  Selected pen(dc.get(), CreatePen(PS_SOLID, width, color));
  PolyBezier(dc.get(), points, static_cast<DWORD>(count));
}

void PutPixel(int x, int y, COLORREF color) {
  BackScreenDC dc;
  if (!dc.get()) return;
  SetPixel(dc.get(), x, y, color);
}

void GetPixelColor(int x, int y, int* red, int* green, int* blue) {
  COLORREF c = CLR_INVALID;   // what GDI reports for a pixel it cannot read
  {
    BackScreenDC dc;
    if (dc.get()) c = GetPixel(dc.get(), x, y);
  }
  if (red) *red = GetRValue(c);
  if (green) *green = GetGValue(c);
  if (blue) *blue = GetBValue(c);
}

}  // namespace muDraw
