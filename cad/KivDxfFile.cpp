// SPDX-License-Identifier: MIT
#include "cad/KivDxfFile.h"

#include "cad/DxfParser_p.h"
#include "platform/io/ByteSource.h"

#include <cstring>

bool KivDxfFile::Open(const char* path)
{
    *this = KivDxfFile();
    ByteSource source;
    if (!path || !source.openFile(path)) {
        m_error = std::string("cannot open ") + (path ? path : "") + ": " + source.errorText();
        return false;
    }
    if (source.size() > kMaxFileBytes) {
        m_error = "larger than " + std::to_string(kMaxFileBytes >> 20) + " MiB";
        return false;
    }
    std::vector<std::uint8_t> bytes;
    if (!source.readRange(0, source.size(), bytes, kMaxFileBytes)) {
        m_error = std::string("cannot read ") + path;
        return false;
    }
    return OpenBytes(bytes.data(), bytes.size());
}

bool KivDxfFile::OpenBytes(const std::uint8_t* data, std::size_t size)
{
    *this = KivDxfFile();
    if (size > kMaxFileBytes) {
        m_error = "larger than " + std::to_string(kMaxFileBytes >> 20) + " MiB";
        return false;
    }
    KivDxfTokenizer tokens(data, size);
    m_binary = tokens.IsBinary();
    DxfParser parser(*this, tokens);
    if (!parser.Run()) {
        m_error = "not a DXF drawing" + (m_error.empty() ? std::string() : ": " + m_error);
        return false;
    }
    return true;
}

std::string KivDxfFile::GetRelease() const
{
    static const struct {
        const char* version;
        const char* release;
    } releases[] = {{"AC1006", "R10"}, {"AC1009", "R12"}, {"AC1012", "R13"}, {"AC1014", "R14"}, {"AC1015", "R2000"},
        {"AC1018", "R2004"}, {"AC1021", "R2007"}, {"AC1024", "R2010"}, {"AC1027", "R2013"}, {"AC1032", "R2018"}};
    for (const auto& r : releases)
        if (m_version == r.version)
            return r.release;
    return m_version;
}

bool KivDxfFile::GetHeaderExtents(double min[2], double max[2]) const
{
    if (!m_hasExtents)
        return false;
    std::memcpy(min, m_extMin, sizeof m_extMin);
    std::memcpy(max, m_extMax, sizeof m_extMax);
    return true;
}

const KivDxfLayer* KivDxfFile::FindLayer(const std::string& name) const
{
    const auto it = m_layerIndex.find(name);
    return it == m_layerIndex.end() ? nullptr : &m_layers[it->second];
}

const KivDxfBlock* KivDxfFile::FindBlock(const std::string& name) const
{
    const auto it = m_blockIndex.find(name);
    return it == m_blockIndex.end() ? nullptr : &m_blocks[it->second];
}
