#include "shell/app_reset.h"

#include "outline/edit_bar_input.h"
#include "outline/find.h"
#include "outline/item_drag.h"
#include "outline/outline_pictures.h"
#include "outline/tree_input.h"
#include "outline/tree_input_state.h"
#include "outline/tree_load_state.h"
#include "shell/shell_install.h"
#include "shell/shell_state.h"
#include "state/app_state.h"

void resetAppState() {
    currentList = CurrentList{};
    screenLayout = ScreenLayout{};
    drawingResources = DrawingResources{};
    clipboardAndUndo = ClipboardAndUndo{};
    programWindows = ProgramWindows{};
    editingState = EditingState{};
    programSettings = ProgramSettings{};
    outlinePictures = OutlinePictures{};

    bDragging = 0;
    hDragItem = nullptr;
    bDropBetween = bDropBetweenShown = 0;
    ptDragHotSpot = POINT{0, 0};
    bIgnorePenUp = 0;
    hwndTreeProc = nullptr;
    outline_input::hitLastTap = nullptr;
    outline_input::ptLastTap = POINT{0, 0};
    bOutlineLoading = 0;
    resetFind();

    shellActivateInfo = SHACTIVATEINFO{};
    listNameBarProc = nullptr;
    installShellCalls();
}
