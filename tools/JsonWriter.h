// SPDX-License-Identifier: MIT
// Machine-readable output for scripts: one JSON document (or, for records,
// one per line) on standard output. Text is UTF-8; a byte that is no UTF-8
// (a Latin-1 file name, a table read with --raw) is written as \udcXX, the
// lone surrogate Python's "surrogateescape" and our own argument reading
// map it to, so the stored bytes can be recovered.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cli {

class JsonWriter {
public:
    JsonWriter& beginObject() { return open('{'); }
    JsonWriter& endObject() { return close('}'); }
    JsonWriter& beginArray() { return open('['); }
    JsonWriter& endArray() { return close(']'); }
    // The member name of the value that follows.
    JsonWriter& key(std::string_view name);

    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text ? text : "")); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(bool b);
    JsonWriter& value(int n) { return value(static_cast<long long>(n)); }
    JsonWriter& value(unsigned n) { return value(static_cast<unsigned long long>(n)); }
    JsonWriter& value(long n) { return value(static_cast<long long>(n)); }
    JsonWriter& value(unsigned long n) { return value(static_cast<unsigned long long>(n)); }
    JsonWriter& value(long long n);
    JsonWriter& value(unsigned long long n);
    // Shortest text that reads back as the same double; null when not finite.
    JsonWriter& value(double d);
    JsonWriter& null();
    // A number stored as text ("12.50", "-.5", "3."): written as it is, in
    // JSON's form, so no digit is lost to a double; null when blank, a
    // string when it is no number.
    JsonWriter& number(std::string_view text);

    template <class T> JsonWriter& member(std::string_view name, const T& v) { return key(name).value(v); }

    // Writes what was built and a line feed to standard output and starts
    // afresh; false when the write failed.
    bool writeLine();
    const std::string& text() const { return m_out; }

private:
    JsonWriter& open(char c);
    JsonWriter& close(char c);
    void separate();

    std::string m_out;
    bool m_first = true; // no member or element yet at this level
    bool m_afterKey = false;
};

} // namespace cli
