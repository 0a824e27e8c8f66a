// Device contexts on a window: the window manager asks GDI for a DC that
// draws into the screen surface at the window's client origin, clipped to
// the window's visible region (screen coordinates).
#pragma once

#include "windef.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

namespace gdi {

// A DC drawing on `surface` with logical (0,0) at `origin` (surface
// coordinates), clipped to `visible` (surface coordinates). The DC keeps
// its own copy of the region.
HDC createDisplayDC(Surface* surface, POINT origin, const Region& visible);
// Replaces the visible region of a display DC (after the window moved).
void setDisplayDCVisible(HDC hdc, POINT origin, const Region& visible);
// Frees a DC made by createDisplayDC.
void deleteDisplayDC(HDC hdc);

}  // namespace gdi
