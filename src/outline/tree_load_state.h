// State the outline's own files share while a list is being loaded.
#pragma once

// 1 while loadOutline fills the tree: the expansions it makes restore the
// stored state, so the expansion notifications they raise store nothing.
inline int bOutlineLoading = 0;

// Levels the load follows at most; rows deeper than this (no list made by
// the program gets there) are left out so the recursion stays bounded.
enum { OUTLINE_LOAD_MAX_DEPTH = 256 };
