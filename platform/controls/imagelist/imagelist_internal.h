// The image lists' own records: each image kept as pixels (0x00RRGGBB, the
// surface format) with its mask, behind handles that are never reused, so a
// destroyed list makes calls fail instead of touching freed memory.
#pragma once

#include <cstdint>
#include <vector>

#include "windows.h"

namespace iml {

struct Image {
    std::vector<uint32_t> pixels;  // cx * cy
    std::vector<uint8_t> clear;    // cx * cy; 1 where the mask is transparent
};

struct ImageList {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    int grow = 4;
    COLORREF bk = CLR_NONE;
    std::vector<Image> images;
    bool masked() const { return (flags & ILC_MASK) != 0; }
};

// The live list of a handle, or nullptr.
ImageList* get(HIMAGELIST h);
HIMAGELIST add(ImageList list);
bool remove(HIMAGELIST h);

// The images of a bitmap strip cut to the list's size; `mask` (may be null)
// is a bitmap of the same size whose white pixels are transparent; with
// `useKey`, pixels of `key` are transparent (and black in the image).
// False when the bitmap is no bitmap or narrower than one image.
bool cutStrip(const ImageList& list, HBITMAP image, HBITMAP mask, bool useKey, COLORREF key,
              std::vector<Image>& out);

// Hides the drag image if it was drawn from this list (the list goes away).
void forgetDragList(HIMAGELIST h);

}  // namespace iml
