// The device's calendar time and the locale's date and time forms.
#pragma once

#include <string>

#include "windef.h"

namespace device {

// The time the virtual clock starts at (default 2026-01-15 09:30:00.000).
void timeSetVirtualStart(const SYSTEMTIME& start);

// How the locale writes dates and times, as pictures, with its names.
struct LocaleFormats {
    std::u16string shortDate, longDate, time;
    std::u16string days[7], shortDays[7];        // Sunday first
    std::u16string months[12], shortMonths[12];  // January first
    std::u16string am, pm;
};

// US English: "M/d/yyyy", "dddd, MMMM d, yyyy", "h:mm:ss tt".
LocaleFormats usEnglishFormats();
// The forms of the host's LC_TIME locale (LC_ALL, LC_TIME, LANG); US English
// for the C locale, for en_US and when the host has no such locale. The long
// date is made from the order of the short one.
LocaleFormats hostLocaleFormats();
// Changes the forms in use (by default the host's, read on first use).
void timeSetLocaleFormats(const LocaleFormats& formats);
const LocaleFormats& timeLocaleFormats();

// Converts an strftime format to a picture ("%d.%m.%Y" -> "dd.MM.yyyy").
std::u16string pictureFromStrftime(const std::string& format);

}  // namespace device
