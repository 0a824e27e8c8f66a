// A small streaming JSON writer for state dumps: objects, arrays, strings
// (UTF-16 in, UTF-8 out, control characters escaped), numbers and booleans,
// indented two blanks a level so dumps read well in a diff.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace device {

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next value inside an object.
    JsonWriter& key(const char* name);
    JsonWriter& key(const std::u16string& name);
    void value(const std::u16string& s);
    void value(const char* s);
    void value(int64_t n);
    void value(bool b);
    void null();
    // [left, top, right, bottom] and the like on one line.
    void intArray(const std::vector<int64_t>& values);

    const std::string& text() const { return out_; }

private:
    void beforeValue();
    void newline();
    void rawString(const std::string& utf8);

    std::string out_;
    std::vector<bool> hasItems_;  // per open container
    bool afterKey_ = false;
};

}  // namespace device
