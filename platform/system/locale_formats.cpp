// The locale's date and time forms: US English, or the host's LC_TIME.
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>

#include "platform/system/code_page.h"
#include "platform/system/device_time.h"

namespace device {
namespace {

const char* const kDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};

std::u16string ascii(const char* s) { return std::u16string(s, s + strlen(s)); }

std::mutex formatsLock;
std::optional<LocaleFormats> current;

// The host locale name that decides LC_TIME.
std::string hostTimeLocale() {
    for (const char* var : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* v = getenv(var);
        if (v && *v) return v;
    }
    return "C";
}

std::u16string quoteLiteral(const std::string& text) {
    std::u16string out;
    bool letters = false;
    for (char c : text) letters |= (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'';
    std::u16string wide = utf8ToWide(text);
    if (!letters) return wide;
    out = u"'";
    for (char16_t c : wide) {
        out += c;
        if (c == u'\'') out += u'\'';
    }
    return out + u"'";
}

}  // namespace

std::u16string pictureFromStrftime(const std::string& f) {
    std::u16string out;
    std::string literal;
    auto flush = [&] {
        out += quoteLiteral(literal);
        literal.clear();
    };
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%' || i + 1 >= f.size()) {
            literal += f[i];
            continue;
        }
        char c = f[++i];
        // Modifiers (%Ey, %Od, %-d, %_d, %0d) change digits or padding only.
        while ((c == 'E' || c == 'O' || c == '-' || c == '_' || c == '0' || c == '^' || c == '#') && i + 1 < f.size())
            c = f[++i];
        const char16_t* piece = nullptr;
        switch (c) {
            case 'd': piece = u"dd"; break;
            case 'e': piece = u"d"; break;
            case 'm': piece = u"MM"; break;
            case 'y': piece = u"yy"; break;
            case 'Y': piece = u"yyyy"; break;
            case 'b': case 'h': piece = u"MMM"; break;
            case 'B': piece = u"MMMM"; break;
            case 'a': piece = u"ddd"; break;
            case 'A': piece = u"dddd"; break;
            case 'H': piece = u"HH"; break;
            case 'k': piece = u"H"; break;
            case 'I': piece = u"hh"; break;
            case 'l': piece = u"h"; break;
            case 'M': piece = u"mm"; break;
            case 'S': piece = u"ss"; break;
            case 'p': case 'P': piece = u"tt"; break;
            case 'r': piece = u"hh:mm:ss tt"; break;
            case 'T': piece = u"HH:mm:ss"; break;
            case 'R': piece = u"HH:mm"; break;
            case 'D': piece = u"MM/dd/yy"; break;
            case 'F': piece = u"yyyy-MM-dd"; break;
            case 'n': case 't': literal += ' '; break;
            case '%': literal += '%'; break;
            default: break;  // time zones, week numbers: nothing on the device
        }
        if (piece) {
            flush();
            out += piece;
        }
    }
    flush();
    return out;
}

LocaleFormats usEnglishFormats() {
    LocaleFormats f;
    f.shortDate = u"M/d/yyyy";
    f.longDate = u"dddd, MMMM d, yyyy";
    f.time = u"h:mm:ss tt";
    for (int i = 0; i < 7; ++i) {
        f.days[i] = ascii(kDays[i]);
        f.shortDays[i] = f.days[i].substr(0, 3);
    }
    for (int i = 0; i < 12; ++i) {
        f.months[i] = ascii(kMonths[i]);
        f.shortMonths[i] = f.months[i].substr(0, 3);
    }
    f.am = u"AM";
    f.pm = u"PM";
    return f;
}

LocaleFormats hostLocaleFormats() {
    LocaleFormats f = usEnglishFormats();
    std::string name = hostTimeLocale();
    if (name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0 || name.rfind("en_US", 0) == 0) return f;
    locale_t loc = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, name.c_str(), (locale_t)0);
    if (loc == (locale_t)0) return f;
    // Names are taken only from locales that speak UTF-8, which is every
    // locale a current host uses; others keep the English names.
    bool utf8 = strcmp(nl_langinfo_l(CODESET, loc), "UTF-8") == 0;
    f.shortDate = pictureFromStrftime(nl_langinfo_l(D_FMT, loc));
    f.time = pictureFromStrftime(nl_langinfo_l(T_FMT, loc));
    if (utf8) {
        static const nl_item days[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
        static const nl_item abdays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
        static const nl_item months[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                           MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
        static const nl_item abmonths[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                             ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
        for (int i = 0; i < 7; ++i) {
            f.days[i] = utf8ToWide(nl_langinfo_l(days[i], loc));
            f.shortDays[i] = utf8ToWide(nl_langinfo_l(abdays[i], loc));
        }
        for (int i = 0; i < 12; ++i) {
            f.months[i] = utf8ToWide(nl_langinfo_l(months[i], loc));
            f.shortMonths[i] = utf8ToWide(nl_langinfo_l(abmonths[i], loc));
        }
        std::u16string am = utf8ToWide(nl_langinfo_l(AM_STR, loc)), pm = utf8ToWide(nl_langinfo_l(PM_STR, loc));
        if (!am.empty() && !pm.empty()) {
            f.am = am;
            f.pm = pm;
        }
    }
    freelocale(loc);
    if (f.shortDate.empty()) f.shortDate = u"M/d/yyyy";
    if (f.time.empty()) f.time = u"h:mm:ss tt";
    // The long date keeps the order of the short one.
    size_t day = f.shortDate.find(u'd'), month = f.shortDate.find(u'M'), year = f.shortDate.find(u'y');
    if (year < day && year < month) f.longDate = u"yyyy MMMM d";
    else if (day < month) f.longDate = u"dddd d MMMM yyyy";
    return f;
}

void timeSetLocaleFormats(const LocaleFormats& formats) {
    std::lock_guard<std::mutex> g(formatsLock);
    current = formats;
}

const LocaleFormats& timeLocaleFormats() {
    std::lock_guard<std::mutex> g(formatsLock);
    if (!current) current = hostLocaleFormats();
    return *current;
}

}  // namespace device
