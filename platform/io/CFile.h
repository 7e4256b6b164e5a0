// SPDX-License-Identifier: MIT
// A binary file with the framework's calls. Reads and writes report the
// bytes done; nothing throws.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <cstdio>

class KIVPLATFORM_EXPORT CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    BOOL Open(const char* path, UINT flags);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    UINT Read(void* buffer, UINT count);
    BOOL Write(const void* buffer, UINT count);
    std::int64_t Seek(std::int64_t offset, UINT from);
    std::uint64_t GetPosition() const;
    std::uint64_t GetLength() const;
    CString GetFilePath() const { return m_path; }

private:
    std::FILE* m_file = nullptr;
    CString m_path;
};
