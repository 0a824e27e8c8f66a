// Shared pieces of the text calls: the DC's font, measuring and drawing one
// run of UTF-16 text.
#pragma once

#include "platform/gdi/canvas.h"
#include "platform/gdi/font_engine.h"

namespace gdi {

// The font selected in the DC, resolved (the stock font if it cannot be).
FontInstance* dcFont(DCObj* dc);
// Width of the run in pixels; `dx`, when given, gets each UTF-16 unit's
// advance (the second unit of a surrogate pair gets 0).
int measureRun(FontInstance& f, const char16_t* s, int n, int* dx = nullptr);
// Draws the run with its left edge at x and baseline at y (surface
// coordinates); `dx` overrides the advances. Returns the width drawn.
int drawRun(Canvas& c, FontInstance& f, const char16_t* s, int n, int x, int y, uint32_t px, const INT* dx = nullptr);
// The font's underline and strikeout over [x, x + width) at baseline y.
void drawDecorations(Canvas& c, FontInstance& f, int x, int width, int y, uint32_t px);

}  // namespace gdi
