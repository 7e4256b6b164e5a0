// SPDX-License-Identifier: MIT
#include "platform/io/CFile.h"

#include "platform/io/PathNoCase.h"

#include <sys/stat.h>

CFile::~CFile()
{
    Close();
}

BOOL CFile::Open(const char* path, UINT flags)
{
    Close();
    if (!path)
        return FALSE;
    const bool write = flags & (modeWrite | modeReadWrite);
    const char* mode = !write ? "rb" : (flags & modeCreate) ? ((flags & modeReadWrite) ? "w+b" : "wb") : "r+b";
    m_path = ResolvePathNoCase(path);
    m_file = std::fopen(m_path.c_str(), mode);
    return m_file ? TRUE : FALSE;
}

void CFile::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (!m_file || !buffer)
        return 0;
    return static_cast<UINT>(std::fread(buffer, 1, count, m_file));
}

BOOL CFile::Write(const void* buffer, UINT count)
{
    if (!m_file || (!buffer && count))
        return FALSE;
    return std::fwrite(buffer, 1, count, m_file) == count ? TRUE : FALSE;
}

std::int64_t CFile::Seek(std::int64_t offset, UINT from)
{
    if (!m_file)
        return -1;
    const int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    if (fseeko(m_file, offset, whence) != 0)
        return -1;
    return ftello(m_file);
}

std::uint64_t CFile::GetPosition() const
{
    const auto at = m_file ? ftello(m_file) : -1;
    return at < 0 ? 0 : static_cast<std::uint64_t>(at);
}

std::uint64_t CFile::GetLength() const
{
    struct stat st { };
    if (!m_file || fstat(fileno(m_file), &st) != 0)
        return 0;
    return static_cast<std::uint64_t>(st.st_size);
}
