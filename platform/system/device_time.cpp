// GetLocalTime, GetSystemTime and GetTickCount on the real or virtual clock.
#include <sys/time.h>
#include <time.h>

#include "platform/system/device_clock.h"
#include "platform/system/device_time.h"
#include "winbase.h"

namespace {

SYSTEMTIME virtualStart = {2026, 1, 4, 15, 9, 30, 0, 0};

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = (unsigned)(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (int64_t)doe - 719468;
}

SYSTEMTIME fromUnixMs(int64_t ms) {
    int64_t days = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
    int64_t rest = ms - days * 86400000;
    int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = (unsigned)(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    SYSTEMTIME st{};
    st.wYear = (WORD)(yoe + era * 400 + (m <= 2));
    st.wMonth = (WORD)m;
    st.wDay = (WORD)d;
    st.wDayOfWeek = (WORD)(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    st.wHour = (WORD)(rest / 3600000);
    st.wMinute = (WORD)(rest / 60000 % 60);
    st.wSecond = (WORD)(rest / 1000 % 60);
    st.wMilliseconds = (WORD)(rest % 1000);
    return st;
}

SYSTEMTIME virtualNow() {
    const SYSTEMTIME& s = virtualStart;
    int64_t ms = daysFromCivil(s.wYear, s.wMonth, s.wDay) * 86400000 +
                 ((int64_t)s.wHour * 3600 + s.wMinute * 60 + s.wSecond) * 1000 + s.wMilliseconds;
    return fromUnixMs(ms + (int64_t)device::clockNowMs());
}

SYSTEMTIME fromTm(const struct tm& t, long ms) {
    SYSTEMTIME st{};
    st.wYear = (WORD)(t.tm_year + 1900);
    st.wMonth = (WORD)(t.tm_mon + 1);
    st.wDayOfWeek = (WORD)t.tm_wday;
    st.wDay = (WORD)t.tm_mday;
    st.wHour = (WORD)t.tm_hour;
    st.wMinute = (WORD)t.tm_min;
    st.wSecond = (WORD)(t.tm_sec > 59 ? 59 : t.tm_sec);
    st.wMilliseconds = (WORD)ms;
    return st;
}

}  // namespace

namespace device {

void timeSetVirtualStart(const SYSTEMTIME& start) { virtualStart = start; }

}  // namespace device

void GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    if (!lpSystemTime) return;
    if (device::clockIsVirtual()) {
        *lpSystemTime = virtualNow();
        return;
    }
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm t;
    localtime_r(&ts.tv_sec, &t);
    *lpSystemTime = fromTm(t, ts.tv_nsec / 1000000);
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    if (!lpSystemTime) return;
    if (device::clockIsVirtual()) {
        *lpSystemTime = virtualNow();
        return;
    }
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm t;
    gmtime_r(&ts.tv_sec, &t);
    *lpSystemTime = fromTm(t, ts.tv_nsec / 1000000);
}

DWORD GetTickCount(void) { return (DWORD)device::clockNowMs(); }
