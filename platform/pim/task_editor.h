// The device's task editor, which ITask::Display shows: a full-screen
// window below the navigation bar (class "Dialog", the class the device
// gives its dialogs, and the title "Tasks"), with the navigation bar's "ok"
// button and an empty menu bar for the input panel's button, over the
// window that was in front (which is disabled meanwhile).
//
// It opens on the task's summary (task_summary.h: the child with the text
// "Task"). Tapping the summary, or the command 105 sent to that child,
// switches the editor to editing: a "Subject:" field with the caret at the
// end of the subject, and a "Notes:" field below it for the body; Tab in the
// subject goes on to the notes. "ok" (or closing the window) ends the
// editor and keeps what was typed: the device's editors have no cancel.
//
// Below the summary, when the store holds other tasks too, a list of all of
// them (those other programs wrote included): picking one shows it in the
// summary, and editing then edits that one.
#pragma once

#include <vector>

#include "platform/pim/task_store.h"

namespace pim {

inline constexpr const char16_t* kTaskEditorClass = u"Dialog";
inline constexpr const char16_t* kTaskEditorTitle = u"Tasks";
// Control ids of the editor's children.
enum {
    kSummaryId = 1000,
    kSubjectLabelId = 1001,
    kSubjectId = 1002,
    kNotesLabelId = 1003,
    kNotesId = 1004,
    kTaskListId = 1005
};

// Shows tasks[shown] and returns when the editor is closed, with the texts
// as they were when it closed and `shown` the task shown last (the one that
// may have been edited). False when the editor could not be made.
bool runTaskEditor(std::vector<TaskRecord>& tasks, size_t& shown);

}  // namespace pim
