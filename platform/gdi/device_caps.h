// What the drawing library knows of the screen. The window manager's screen
// module sets these when it configures the display (the window library
// links this one, so the values are pushed down rather than looked up).
#pragma once

namespace gdi {

void setScreenDpi(int dpi);  // 96 normally, 192 on a high-resolution screen
int screenDpi();
void setScreenSize(int width, int height);
int screenWidth();
int screenHeight();

}  // namespace gdi
