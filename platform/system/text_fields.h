// The field form of the platform's own text files (the registry, the task
// store): one record a line, fields separated by a single tab, texts in UTF-8
// with '%', tab, line ends, other control characters and blanks written as
// %XX, and the empty text written as "%" alone, so that no field is ever
// empty and a line can always be split back into the fields it was made of.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace device {

std::string escapeField(std::u16string_view text);
// False for a malformed escape or text that is not UTF-8.
bool unescapeField(std::string_view field, std::u16string& out);
// The fields of one line, split at every tab.
std::vector<std::string_view> splitFields(std::string_view line);
// Hex digit value, or -1.
int hexDigitValue(char c);

}  // namespace device
