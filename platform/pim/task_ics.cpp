#include "platform/pim/task_ics.h"

#include <libical/ical.h>

#include <cstdio>
#include <memory>
#include <random>

#include "platform/system/code_page.h"
#include "platform/system/program_identity.h"

namespace pim {
namespace {


struct FreeComponent {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, FreeComponent>;

// libical aborts on its own errors when they are fatal, which its build may
// choose: a damaged file must give a failed parse instead.
Component parse(std::string_view text) {
    static const bool nonFatal = (icalerror_set_errors_are_fatal(0), true);
    (void)nonFatal;
    std::string copy(text);
    return Component(icalparser_parse_string(copy.c_str()));
}

// The task of a parsed file: the component itself or its first VTODO.
icalcomponent* todoOf(icalcomponent* root) {
    if (icalcomponent_isa(root) == ICAL_VTODO_COMPONENT) return root;
    return icalcomponent_get_first_component(root, ICAL_VTODO_COMPONENT);
}

icaltimetype utc(const SYSTEMTIME& st) {
    icaltimetype t = icaltime_null_time();
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.is_date = 0;
    t.zone = icaltimezone_get_utc_timezone();
    return t;
}

std::string bodyToIcal(const std::u16string& body) {
    std::u16string lf;
    lf.reserve(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
        if (body[i] == u'\r') {
            if (i + 1 < body.size() && body[i + 1] == u'\n') continue;
            lf += u'\n';  // a lone CR breaks the line too
        } else {
            lf += body[i];
        }
    }
    return device::wideToUtf8(lf);
}

std::u16string bodyFromIcal(const char* text) {
    std::u16string lf = device::utf8ToWide(text ? text : "");
    std::u16string crlf;
    crlf.reserve(lf.size());
    for (char16_t c : lf) {
        if (c == u'\n') crlf += u'\r';
        crlf += c;
    }
    return crlf;
}

bool isCompleted(icalcomponent* todo) {
    return icalcomponent_get_first_property(todo, ICAL_STATUS_PROPERTY) &&
           icalcomponent_get_status(todo) == ICAL_STATUS_COMPLETED;
}

void removeAll(icalcomponent* todo, icalproperty_kind kind) {
    while (icalproperty* p = icalcomponent_get_first_property(todo, kind)) {
        icalcomponent_remove_property(todo, p);
        icalproperty_free(p);
    }
}

// Changed in place where the file has it, so its place and parameters stay.
void setTime(icalcomponent* todo, icalproperty_kind kind, const icaltimetype& t) {
    if (icalproperty* old = icalcomponent_get_first_property(todo, kind)) {
        icalproperty_set_value(old, icalvalue_new_datetime(t));
        return;
    }
    icalproperty* p = kind == ICAL_CREATED_PROPERTY        ? icalproperty_new_created(t)
                      : kind == ICAL_LASTMODIFIED_PROPERTY ? icalproperty_new_lastmodified(t)
                      : kind == ICAL_COMPLETED_PROPERTY    ? icalproperty_new_completed(t)
                                                           : icalproperty_new_dtstamp(t);
    icalcomponent_add_property(todo, p);
}

// STATUS, with the COMPLETED time that goes with it.
void setCompletion(icalcomponent* todo, bool completed, const icaltimetype& now) {
    icalcomponent_set_status(todo, completed ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION);
    if (completed) setTime(todo, ICAL_COMPLETED_PROPERTY, now);
    else removeAll(todo, ICAL_COMPLETED_PROPERTY);
}

void setDescription(icalcomponent* todo, const std::u16string& body) {
    if (body.empty()) removeAll(todo, ICAL_DESCRIPTION_PROPERTY);
    else icalcomponent_set_description(todo, bodyToIcal(body).c_str());
}

std::string text(icalcomponent* root) {
    char* s = icalcomponent_as_ical_string_r(root);
    std::string out = s ? s : "";
    icalmemory_free_buffer(s);
    return out;
}

}  // namespace

bool parseTaskFile(std::string_view fileText, TaskRecord& task, std::string* created) {
    Component root = parse(fileText);
    if (!root || icalcomponent_count_errors(root.get()) > 0) return false;
    icalcomponent* todo = todoOf(root.get());
    const char* uid = todo ? icalcomponent_get_uid(todo) : nullptr;
    if (!uid || !*uid) return false;
    task.uid = uid;
    task.subject = device::utf8ToWide(icalcomponent_get_summary(todo) ? icalcomponent_get_summary(todo) : "");
    task.body = bodyFromIcal(icalcomponent_get_description(todo));
    task.completed = isCompleted(todo);
    if (created) {
        icalproperty* p = icalcomponent_get_first_property(todo, ICAL_CREATED_PROPERTY);
        *created = p ? icaltime_as_ical_string(icaltime_convert_to_zone(icalproperty_get_created(p),
                                                                         icaltimezone_get_utc_timezone()))
                     : "";
    }
    return true;
}

std::string newTaskFile(const TaskRecord& task, const SYSTEMTIME& now) {
    const icaltimetype t = utc(now);
    Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    // "-//<program>//Task Store//EN", as iCalendar asks of the writer.
    const std::string prodId = "-//" + device::programIdentity().name + "//Task Store//EN";
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(prodId.c_str()));
    icalcomponent* todo = icalcomponent_new_vtodo();
    icalcomponent_add_property(todo, icalproperty_new_uid(task.uid.c_str()));
    setTime(todo, ICAL_DTSTAMP_PROPERTY, t);
    setTime(todo, ICAL_CREATED_PROPERTY, t);
    setTime(todo, ICAL_LASTMODIFIED_PROPERTY, t);
    icalcomponent_set_summary(todo, device::wideToUtf8(task.subject).c_str());
    setDescription(todo, task.body);
    setCompletion(todo, task.completed, t);
    icalcomponent_add_component(cal.get(), todo);
    return text(cal.get());
}

bool updateTaskFile(std::string_view fileText, const TaskRecord& task, const SYSTEMTIME& now, std::string& out,
                    bool& changed) {
    changed = false;
    TaskRecord stored;
    if (!parseTaskFile(fileText, stored)) return false;
    Component root = parse(fileText);
    icalcomponent* todo = todoOf(root.get());
    const icaltimetype t = utc(now);
    if (task.subject != stored.subject) {
        icalcomponent_set_summary(todo, device::wideToUtf8(task.subject).c_str());
        changed = true;
    }
    if (bodyToIcal(task.body) != bodyToIcal(stored.body)) {
        setDescription(todo, task.body);
        changed = true;
    }
    if (task.completed != stored.completed) {
        setCompletion(todo, task.completed, t);
        changed = true;
    }
    if (!changed) {
        out = std::string(fileText);
        return true;
    }
    setTime(todo, ICAL_LASTMODIFIED_PROPERTY, t);
    setTime(todo, ICAL_DTSTAMP_PROPERTY, t);
    out = text(root.get());
    return true;
}

std::string newTaskUid() {
    static std::random_device seed;
    static std::mt19937_64 bits(((uint64_t)seed() << 32) ^ seed());
    uint64_t hi = bits(), lo = bits();
    hi = (hi & ~0xF000ull) | 0x4000ull;                          // version 4: random
    lo = (lo & ~(0xC000ull << 48)) | (0x8000ull << 48);         // the RFC 4122 variant
    char buf[40];
    snprintf(buf, sizeof buf, "%08x-%04x-%04x-%04x-%012llx", (unsigned)(hi >> 32), (unsigned)((hi >> 16) & 0xFFFF),
             (unsigned)(hi & 0xFFFF), (unsigned)(lo >> 48), (unsigned long long)(lo & 0xFFFFFFFFFFFFull));
    return buf;
}

}  // namespace pim
