// The JSON writer of the state dumps.
#include "platform/host/json_writer.h"

#include <cstdio>

#include "platform/host/script.h"

namespace device {

void JsonWriter::newline() {
    out_ += '\n';
    out_.append(hasItems_.size() * 2, ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty()) return;
    if (hasItems_.back()) out_ += ',';
    hasItems_.back() = true;
    newline();
}

void JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    hasItems_.push_back(false);
}

void JsonWriter::endObject() {
    bool any = hasItems_.back();
    hasItems_.pop_back();
    if (any) newline();
    out_ += '}';
    if (hasItems_.empty()) out_ += '\n';
}

void JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    hasItems_.push_back(false);
}

void JsonWriter::endArray() {
    bool any = hasItems_.back();
    hasItems_.pop_back();
    if (any) newline();
    out_ += ']';
}

JsonWriter& JsonWriter::key(const char* name) {
    beforeValue();
    rawString(name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::key(const std::u16string& name) { return key(utf16ToUtf8(name).c_str()); }

void JsonWriter::rawString(const std::string& s) {
    out_ += '"';
    for (unsigned char c : s) {
        switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out_ += buf;
                } else {
                    out_ += (char)c;
                }
        }
    }
    out_ += '"';
}

void JsonWriter::value(const std::u16string& s) {
    beforeValue();
    rawString(utf16ToUtf8(s));
}

void JsonWriter::value(const char* s) {
    beforeValue();
    rawString(s);
}

void JsonWriter::value(int64_t n) {
    beforeValue();
    out_ += std::to_string(n);
}

void JsonWriter::value(bool b) {
    beforeValue();
    out_ += b ? "true" : "false";
}

void JsonWriter::null() {
    beforeValue();
    out_ += "null";
}

void JsonWriter::intArray(const std::vector<int64_t>& values) {
    beforeValue();
    out_ += '[';
    for (size_t i = 0; i < values.size(); ++i) {
        if (i) out_ += ", ";
        out_ += std::to_string(values[i]);
    }
    out_ += ']';
}

}  // namespace device
