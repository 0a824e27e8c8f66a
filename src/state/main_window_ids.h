// The main window's timers. The outline and the task command set them on the
// main window, whose WM_TIMER hands each back to its owner.
#pragma once

enum {
    TIMER_DRAG_SCROLL = 1,     // 25 ms while an item is dragged
    TIMER_TASK_FOLLOW_UP = 2,  // 500 ms, once, after a task was made
    TIMER_EDIT_BAR_TIP = 6,    // 1000 ms, the tip of an edit bar button held down
};
