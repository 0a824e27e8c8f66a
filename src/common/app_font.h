// The one factory of the program's fonts.
#pragma once

#include "windows.h"

// A "Tahoma" font of `points` (cell height points x LOGPIXELSY / 72), weight
// and strikeout, with ClearType when `clearType` is 1. `height` receives the
// cell height when given. Every font of the program comes from here.
HFONT createAppFont(int points, int weight, int strikeout, int clearType, int* height = nullptr);
