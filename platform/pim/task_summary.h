// The task editor's summary of a task, the editor's first view: the
// subject in bold across the top, a rule under it, "Completed" for a task
// that is done, and the notes below, word-wrapped. Its window text is "Task", which is how programs find it
// among the editor's children.
//
// Tapping it, or sending it WM_COMMAND with the id kTaskEditCommand (105),
// asks the editor to edit the task: it sends its parent WM_COMMAND with its
// own id and the notification TSN_EDIT, and the editor then shows the
// subject and notes fields with the caret at the end of the subject.
#pragma once

#include "platform/pim/task_store.h"
#include "windows.h"

namespace pim {

inline constexpr const char16_t* kTaskSummaryClass = u"TaskSummary";
inline constexpr WORD TSN_EDIT = 1;
inline constexpr int kTaskEditCommand = 105;

// Registers the summary's class (again after a reset of the window system).
void registerTaskSummaryClass();
// The summary as a child of `editor`: it shows `task`, which must outlive it.
HWND createTaskSummary(HWND editor, int id, const TaskRecord* task);
// Shows another task (which must outlive the summary too).
void setSummaryTask(HWND summary, const TaskRecord* task);
// The editor's fonts: "Tahoma" 8 point, or 9 point bold for the subject.
HFONT createTaskFont(bool bold);

}  // namespace pim
