// The main window's own painting (background, padlock of a protected list,
// the "Password Protected" screen, the edit bar, the notices of an empty
// database and of no database) and the outline's background, together with
// the drawing resources start-up makes for them.
#pragma once

#include "outline/outline_pictures.h"
#include "windows.h"

// The back buffers, the background picture, the edit bar strips and the
// padlocks live in outlinePictures (outline_pictures.h).

// Back buffer and background context from the main window's client size.
void createBackBuffers(HWND hwndMainWindow);
// Loads the edit bar strips and the padlocks for bHiRes.
void loadPaintBitmaps();
// Releases everything above; handles become null.
void releasePaintResources();
// Loads the picture `imageName` of the program's folder (the built-in one
// when it does not load) into hdcBackground, replacing the previous one;
// 0 and no picture only when not even the built-in one can be made.
int loadBackgroundPicture(LPCWSTR imageName);
// Drops the background picture.
void clearBackgroundPicture();
// 1 when the list shows a background picture that could be loaded: items
// are then drawn into the back buffer.
int backgroundPictureInUse();

// WM_PAINT of the main window.
LRESULT onMainPaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Draws the edit bar strip at intListBarBottom into `hdc`.
void paintEditBar(HDC hdc);
// WM_ERASEBKGND of the outline: the picture's part behind it, or hbrBackground.
LRESULT eraseOutlineBackground(HWND tree, HDC hdc);
