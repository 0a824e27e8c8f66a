// One task as an iCalendar file (RFC 5545), read and written with libical:
// a VCALENDAR (VERSION 2.0 and our PRODID) holding one VTODO with UID,
// SUMMARY (the subject), DESCRIPTION (the body, left out when empty),
// STATUS (NEEDS-ACTION or COMPLETED), CREATED, DTSTAMP and LAST-MODIFIED.
//
// Files other programs wrote are read as they are: the first VTODO is the
// task, and rewriting one changes only the properties whose values changed,
// keeping every other property, parameter and component.
//
// Line ends: the device's texts break lines with CR LF, iCalendar texts
// with LF alone; the body is converted both ways.
#pragma once

#include <string>
#include <string_view>

#include "platform/pim/task_store.h"
#include "windef.h"

namespace pim {

// The task of an .ics file's text (oid left alone). False when libical
// cannot parse it, finds errors in it, or it holds no VTODO with a UID.
// `created`, when given, receives CREATED in UTC ("20260115T093000Z"), or
// the empty text when the task has none.
bool parseTaskFile(std::string_view text, TaskRecord& task, std::string* created = nullptr);
// A new file for `task` (whose uid must be set), made at `now` (UTC).
std::string newTaskFile(const TaskRecord& task, const SYSTEMTIME& now);
// `text` (a file parseTaskFile accepts) with what differs in `task` changed
// and LAST-MODIFIED and DTSTAMP set to `now`; `changed` tells whether
// anything differed (when nothing did, `out` is `text` as it was).
bool updateTaskFile(std::string_view text, const TaskRecord& task, const SYSTEMTIME& now, std::string& out,
                    bool& changed);
// A new unique identifier ("xxxxxxxx-xxxx-4xxx-yxxx-xxxxxxxxxxxx").
std::string newTaskUid();

}  // namespace pim
