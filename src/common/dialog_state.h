// State a modeless or modal dialog keeps for as long as it lives, owned
// through the dialog's user data (DWLP_USER): attachDialogState at
// WM_INITDIALOG hands it to the dialog, detachDialogState at WM_DESTROY takes
// it back, so it is freed when the caller's owner goes.
#pragma once

#include <cassert>
#include <memory>

#include "windows.h"

template <typename State>
State* attachDialogState(HWND dialog, std::unique_ptr<State> state) {
    // Without the dialog nobody would free the state.
    assert(dialog && state);
    SetWindowLongW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state.get()));
    return state.release();
}

template <typename State>
State* dialogState(HWND dialog) {
    return reinterpret_cast<State*>(GetWindowLongW(dialog, DWLP_USER));
}

template <typename State>
std::unique_ptr<State> detachDialogState(HWND dialog) {
    std::unique_ptr<State> state(dialogState<State>(dialog));
    SetWindowLongW(dialog, DWLP_USER, 0);
    return state;
}
