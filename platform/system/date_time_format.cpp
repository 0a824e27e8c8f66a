// GetDateFormatW and GetTimeFormatW: pictures such as "dd/MM/yyyy" and
// "h:mm tt", or the locale's own forms.
#include <cstring>
#include <string>
#include <vector>

#include "platform/system/device_time.h"
#include "wcrt.h"
#include "winbase.h"
#include "winerror.h"
#include "winnls.h"

namespace {

// One piece of a picture: a field (its letter repeated `count` times) or
// literal text (letter 0).
struct Piece {
    char16_t letter = 0;
    int count = 0;
    std::u16string text;
};

std::vector<Piece> parsePicture(std::u16string_view picture, std::u16string_view fields) {
    std::vector<Piece> pieces;
    auto literal = [&](char16_t c) {
        if (pieces.empty() || pieces.back().letter) pieces.push_back(Piece{});
        pieces.back().text += c;
    };
    for (size_t i = 0; i < picture.size();) {
        char16_t c = picture[i];
        if (c == u'\'') {
            ++i;
            if (i < picture.size() && picture[i] == u'\'') {  // '' is a quote
                literal(u'\'');
                ++i;
                continue;
            }
            for (; i < picture.size(); ++i) {
                if (picture[i] == u'\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                        literal(u'\'');
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal(picture[i]);
            }
            continue;
        }
        if (fields.find(c) != std::u16string_view::npos) {
            Piece p{c, 0, {}};
            while (i < picture.size() && picture[i] == c) ++p.count, ++i;
            pieces.push_back(p);
            continue;
        }
        literal(c);
        ++i;
    }
    return pieces;
}

std::u16string number(int value, int minDigits) {
    std::u16string s;
    std::string digits = std::to_string(value);
    for (int i = (int)digits.size(); i < minDigits; ++i) s += u'0';
    for (char c : digits) s += (char16_t)c;
    return s;
}

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : days[m - 1];
}

int dayOfWeek(int y, int m, int d) {
    // Sakamoto's method: 0 = Sunday.
    static const int t[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3) y -= 1;
    return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

// Copies the text out by the sizing rules of both calls.
int deliver(const std::u16string& text, LPWSTR out, int cch) {
    if (cch < 0 || (cch > 0 && !out)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int needed = (int)text.size() + 1;
    if (cch == 0) return needed;
    if (cch < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    memcpy(out, text.c_str(), needed * sizeof(WCHAR));
    return needed;
}

}  // namespace

int GetDateFormatW(LCID, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat, LPWSTR lpDateStr, int cchDate) {
    DWORD kinds = dwFlags & (DATE_SHORTDATE | DATE_LONGDATE);
    if ((lpFormat && kinds) || kinds == (DATE_SHORTDATE | DATE_LONGDATE)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    SYSTEMTIME st;
    if (lpDate) st = *lpDate;
    else GetLocalTime(&st);
    if (st.wYear < 1601 || st.wYear > 30827 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
        st.wDay > daysInMonth(st.wYear, st.wMonth)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const device::LocaleFormats& f = device::timeLocaleFormats();
    std::u16string picture = lpFormat ? std::u16string(lpFormat) : kinds == DATE_LONGDATE ? f.longDate : f.shortDate;
    int dow = dayOfWeek(st.wYear, st.wMonth, st.wDay);
    std::u16string out;
    for (const Piece& p : parsePicture(picture, u"dMyg")) {
        switch (p.letter) {
            case 0: out += p.text; break;
            case u'd':
                out += p.count <= 2 ? number(st.wDay, p.count) : p.count == 3 ? f.shortDays[dow] : f.days[dow];
                break;
            case u'M':
                out += p.count <= 2 ? number(st.wMonth, p.count)
                     : p.count == 3 ? f.shortMonths[st.wMonth - 1] : f.months[st.wMonth - 1];
                break;
            case u'y':
                out += p.count == 1 ? number(st.wYear % 100, 1) : p.count == 2 ? number(st.wYear % 100, 2)
                                                                : number(st.wYear, 4);
                break;
            default: break;  // eras: the device's calendar has none to show
        }
    }
    return deliver(out, lpDateStr, cchDate);
}

int GetTimeFormatW(LCID, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCWSTR lpFormat, LPWSTR lpTimeStr, int cchTime) {
    SYSTEMTIME st;
    if (lpTime) st = *lpTime;
    else GetLocalTime(&st);
    if (st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 || st.wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const device::LocaleFormats& f = device::timeLocaleFormats();
    std::vector<Piece> pieces = parsePicture(lpFormat ? std::u16string(lpFormat) : f.time, u"hHmst");
    // Dropping a field takes the separator before it along ("h:mm:ss" ->
    // "h:mm"); a field at the start takes the separator after it.
    auto drop = [&](char16_t letter) {
        for (size_t i = 0; i < pieces.size();) {
            if (pieces[i].letter != letter) {
                ++i;
                continue;
            }
            pieces.erase(pieces.begin() + i);
            if (i > 0 && pieces[i - 1].letter == 0) {
                pieces.erase(pieces.begin() + i - 1);
                --i;
            } else if (i == 0 && !pieces.empty() && pieces[0].letter == 0) {
                pieces.erase(pieces.begin());
            }
        }
    };
    if (dwFlags & (TIME_NOSECONDS | TIME_NOMINUTESORSECONDS)) drop(u's');
    if (dwFlags & TIME_NOMINUTESORSECONDS) drop(u'm');
    if (dwFlags & TIME_NOTIMEMARKER) drop(u't');
    bool force24 = dwFlags & TIME_FORCE24HOURFORMAT;
    std::u16string out;
    for (const Piece& p : pieces) {
        int hour12 = st.wHour % 12 == 0 ? 12 : st.wHour % 12;
        const std::u16string& marker = st.wHour < 12 ? f.am : f.pm;
        switch (p.letter) {
            case 0: out += p.text; break;
            case u'h': out += number(force24 ? st.wHour : hour12, p.count >= 2 ? 2 : 1); break;
            case u'H': out += number(st.wHour, p.count >= 2 ? 2 : 1); break;
            case u'm': out += number(st.wMinute, p.count >= 2 ? 2 : 1); break;
            case u's': out += number(st.wSecond, p.count >= 2 ? 2 : 1); break;
            case u't': out += p.count == 1 ? marker.substr(0, 1) : marker; break;
        }
    }
    return deliver(out, lpTimeStr, cchTime);
}
