// How the outline's items look: the custom drawing of each node (level
// colours, fonts, highlight, dashed connector lines, expand button, check
// box and note marker), the small pictures it uses, the completion suffixes
// " [k/n]" and " [p%]" behind parents, and the image shown while dragging.
#pragma once

#include "outline/outline_pictures.h"
#include "windows.h"

// The check boxes, the note marker and the expand/collapse buttons, made at
// start-up and when the font or button type changes, live in
// outlinePictures (outline_pictures.h).

// NM_CUSTOMDRAW from the outline: the result code for the draw stage.
LRESULT onOutlineCustomDraw(NMTVCUSTOMDRAW* draw);
// Draws one node into `hdc` (the back buffer with a background picture).
void drawOutlineItem(HDC hdc, NMTVCUSTOMDRAW* draw);

// The check box picture of `size` pixels, ticked when `checked`.
HBITMAP makeCheckBoxPicture(int size, int checked);
// The note marker picture, `size` pixels square (transparent 0xFF00FF corner).
HBITMAP makeNoteMarker(int size);
// Recreates both check boxes and the note marker for `fontHeight`.
void makeItemPictures(int fontHeight);
// Deletes the previous expand/collapse pair and loads the one of `buttonType`.
void loadButtonPictures(int buttonType);
// Deletes every picture above and the drawing's memory context (shutdown);
// handles become null.
void releaseItemPictures();
void releaseItemDrawContext();
// The image list of the item being dragged (text and check state as stored
// when the drag started); `markerFlag` 1 leaves out the child marker.
HIMAGELIST makeDragImage(LPCWSTR text, int checked, int isRoot, int markerFlag);

// The suffix text for k of n checked children in `mode` (1 fraction, 2
// percentage); empty for mode 0 or n 0.
void formatCompletionSuffix(WCHAR* out, int capacity, int mode, int checkedCount, int childCount);
// `text` followed by the suffix, the text cut first so that both fit.
void composeCompletionText(WCHAR* out, int capacity, LPCWSTR text, int mode, int checkedCount,
                           int childCount);
// Recomputes the suffix of `item` and of each ancestor; `changedItem`
// (may be null) counts with `newState` instead of its current mark.
void updateCompletionUp(HWND tree, HTREEITEM item, int mode, HTREEITEM changedItem, int newState);
// Recomputes the suffixes of the item and all its descendants.
void updateCompletionSubtree(HWND tree, HTREEITEM item, int mode);
// updateCompletionSubtree for every root item that has children.
void updateAllCompletion(HWND tree, int mode);
