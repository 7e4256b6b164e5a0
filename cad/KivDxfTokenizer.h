// SPDX-License-Identifier: MIT
// The group code / value pairs of a DXF file, ASCII or binary, as one
// stream: strings as their bytes, numbers parsed by the type their code
// gives, binary chunks (codes 310-319) as raw bytes whichever way they were
// stored. Nothing outside the given bytes is read; a malformed pair ends the
// stream with Failed set.
#pragma once

#include "core/KivCore_export.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct KivDxfGroup {
    int code = 0;
    std::string text; // strings; the raw bytes of a binary chunk
    double number = 0.0; // codes that hold reals
    std::int64_t integer = 0; // codes that hold integers and booleans
};

class KIVCORE_EXPORT KivDxfTokenizer {
public:
    // The first bytes of a binary DXF file.
    static constexpr char kBinarySentinel[] = "AutoCAD Binary DXF\r\n\x1a";
    static constexpr std::size_t kBinarySentinelSize = 22; // with its NUL

    // What kind of value a group code holds.
    enum class Kind { String, Real, Integer, Boolean, Chunk };
    static Kind KindOf(int code);

    KivDxfTokenizer(const std::uint8_t* data, std::size_t size);

    bool IsBinary() const { return m_binary; }
    // The next pair; false at the end of the bytes or at a malformed pair.
    bool Next(KivDxfGroup& group);
    // A malformed pair stopped the stream (a number that is none, a cut
    // binary value, a code out of range); why says what, at which offset.
    bool Failed() const { return m_failed; }
    const std::string& Why() const { return m_why; }
    std::size_t Offset() const { return m_pos; }
    std::size_t Size() const { return m_size; }

private:
    bool nextAscii(KivDxfGroup& group);
    bool nextBinary(KivDxfGroup& group);
    bool line(std::string& out);
    bool fail(const std::string& why);

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_binary = false;
    bool m_wideCodes = false; // binary files of release 13 on: 2-byte codes
    bool m_failed = false;
    std::string m_why;
    std::string m_line;
};
