// Owners of what drawing makes: a GDI object (pen, brush, font, bitmap,
// region) deleted with its owner, an object selected into a device context
// for as long as a guard lives, and a memory device context. Declared in the
// order they are needed (object, context, selection), they go in the right
// order too: the selection is undone before the context and the object are
// deleted.
#pragma once

#include <cassert>

#include "windows.h"

template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(other.release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Deletes the object held and holds `handle` instead.
    void reset(Handle handle = nullptr) {
        assert((handle == nullptr || handle != handle_) && "an object is owned once");
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }
    // Hands the object over; the owner no longer deletes it.
    Handle release() {
        Handle out = handle_;
        handle_ = nullptr;
        return out;
    }

private:
    Handle handle_ = nullptr;
};

// Selects `object` into `dc` (nothing when either is null) and selects the
// previous object back when it goes.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() { restore(); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    // Whether the object was selected.
    bool selected() const { return old_ != nullptr; }
    // Selects the previous object back now.
    void restore() {
        if (old_) SelectObject(dc_, old_);
        old_ = nullptr;
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A memory device context compatible with `like` (the screen when null),
// deleted when it goes.
class MemoryDC {
public:
    explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};
