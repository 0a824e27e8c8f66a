// Where the edit bar's nine buttons sit: the painting and the pen input use
// the same table, so what is drawn is what a tap hits. Columns are in the
// main window's client coordinates; the bar's rows start at intListBarBottom.
#pragma once

enum {
    EDIT_BAR_BUTTON_COUNT = 9,
    EDIT_BAR_STATE_DISABLED = 1,
    EDIT_BAR_STATE_ENABLED = 2,
    EDIT_BAR_STATE_PRESSED = 4,   // added to the state while the pen holds the button
};

// Left edge of each button: Cut, Copy, Paste, Delete, Duplicate, Move Down,
// Move Up, Move Left, Move Right.
inline constexpr int kEditBarButtonX[EDIT_BAR_BUTTON_COUNT] = {7, 30, 54, 78, 101, 144, 166, 190, 213};
inline constexpr int kEditBarButtonXHiRes[EDIT_BAR_BUTTON_COUNT] = {8, 51, 94, 137, 180, 301, 344, 387, 430};
// The width a tap counts (strictly between x and x + width) ...
inline constexpr int kEditBarHitWidth = 18;
inline constexpr int kEditBarHitWidthHiRes = 37;
// ... and the piece of the button strip that is drawn.
inline constexpr int kEditBarPieceWidth = 19;
inline constexpr int kEditBarPieceWidthHiRes = 37;
inline constexpr int kEditBarPieceHeight = 20;
inline constexpr int kEditBarPieceHeightHiRes = 40;

inline int editBarButtonLeft(int index, int hiRes) {
    return hiRes ? kEditBarButtonXHiRes[index] : kEditBarButtonX[index];
}
inline int editBarHitWidth(int hiRes) { return hiRes ? kEditBarHitWidthHiRes : kEditBarHitWidth; }
