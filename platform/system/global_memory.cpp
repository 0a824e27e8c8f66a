// Memory blocks of the Global and Local calls. Every block is recorded, so a
// stale or foreign handle fails cleanly instead of freeing what it is not.
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "winbase.h"
#include "winerror.h"

namespace {

struct Block {
    void* data = nullptr;
    size_t size = 0;
    bool moveable = false;
    unsigned locks = 0;
};

std::mutex lock;
std::map<uintptr_t, Block> blocks;  // by handle: the pointer itself for fixed blocks
// Moveable handles are odd numbers, so they can never be a block's pointer.
uintptr_t nextMoveable = 0x10001;

Block* find(HANDLE h) {
    auto it = blocks.find((uintptr_t)h);
    return it == blocks.end() ? nullptr : &it->second;
}

HANDLE allocate(UINT flags, size_t bytes) {
    // Zero bytes still give a block of their own, so that it can be freed.
    void* data = (flags & GMEM_ZEROINIT) ? calloc(bytes ? bytes : 1, 1) : malloc(bytes ? bytes : 1);
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::lock_guard<std::mutex> g(lock);
    bool moveable = flags & GMEM_MOVEABLE;
    uintptr_t h = moveable ? nextMoveable : (uintptr_t)data;
    if (moveable) nextMoveable += 2;
    blocks[h] = Block{data, bytes, moveable, 0};
    return (HANDLE)h;
}

void* lockBlock(HANDLE h) {
    std::lock_guard<std::mutex> g(lock);
    Block* b = find(h);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (b->moveable) ++b->locks;
    return b->data;
}

BOOL unlockBlock(HANDLE h) {
    std::lock_guard<std::mutex> g(lock);
    Block* b = find(h);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (b->locks > 0) --b->locks;
    if (b->locks > 0) return TRUE;
    SetLastError(ERROR_SUCCESS);
    return FALSE;
}

size_t sizeOf(HANDLE h) {
    std::lock_guard<std::mutex> g(lock);
    Block* b = find(h);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return b->size;
}

HANDLE freeBlock(HANDLE h) {
    if (!h) return nullptr;
    std::lock_guard<std::mutex> g(lock);
    auto it = blocks.find((uintptr_t)h);
    if (it == blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return h;
    }
    free(it->second.data);
    blocks.erase(it);
    return nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) { return allocate(uFlags, dwBytes); }
LPVOID GlobalLock(HGLOBAL hMem) { return lockBlock(hMem); }
BOOL GlobalUnlock(HGLOBAL hMem) { return unlockBlock(hMem); }
SIZE_T GlobalSize(HGLOBAL hMem) { return sizeOf(hMem); }
HGLOBAL GlobalFree(HGLOBAL hMem) { return freeBlock(hMem); }
HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes) { return allocate(uFlags, uBytes); }
LPVOID LocalLock(HLOCAL hMem) { return lockBlock(hMem); }
BOOL LocalUnlock(HLOCAL hMem) { return unlockBlock(hMem); }
SIZE_T LocalSize(HLOCAL hMem) { return sizeOf(hMem); }
HLOCAL LocalFree(HLOCAL hMem) { return freeBlock(hMem); }
