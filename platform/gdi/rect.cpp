// The rectangle helpers. A rectangle is empty when it has no width or no
// height; the helpers that produce one from others give all zeros then.
#include <algorithm>

#include "wingdi.h"

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (!lprc) return FALSE;
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
    if (!lprcDst || !lprcSrc) return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy) {
    if (!lprc) return FALSE;
    lprc->left -= dx; lprc->right += dx;
    lprc->top -= dy; lprc->bottom += dy;
    return TRUE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy) {
    if (!lprc) return FALSE;
    lprc->left += dx; lprc->right += dx;
    lprc->top += dy; lprc->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) {
    return !lprc || lprc->left >= lprc->right || lprc->top >= lprc->bottom;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (!lprcDst) return FALSE;
    if (!a || !b || IsRectEmpty(a) || IsRectEmpty(b) || a->left >= b->right || b->left >= a->right ||
        a->top >= b->bottom || b->top >= a->bottom) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    *lprcDst = RECT{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                    std::min(a->bottom, b->bottom)};
    return TRUE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (!lprcDst || !a || !b) return FALSE;
    bool ea = IsRectEmpty(a), eb = IsRectEmpty(b);
    if (ea && eb) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    if (ea) { *lprcDst = *b; return TRUE; }
    if (eb) { *lprcDst = *a; return TRUE; }
    *lprcDst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom)};
    return TRUE;
}

BOOL SubtractRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (!lprcDst || !a || !b) return FALSE;
    RECT r = *a, i;
    if (IntersectRect(&i, a, b)) {
        // Only a cut that takes a whole side off leaves a rectangle.
        if (i.top == r.top && i.bottom == r.bottom) {
            if (i.left == r.left) r.left = i.right;
            else if (i.right == r.right) r.right = i.left;
        } else if (i.left == r.left && i.right == r.right) {
            if (i.top == r.top) r.top = i.bottom;
            else if (i.bottom == r.bottom) r.bottom = i.top;
        }
    }
    if (IsRectEmpty(&r)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}

BOOL PtInRect(const RECT* lprc, POINT pt) {
    return lprc && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}
