// SPDX-License-Identifier: MIT
// The codec the toolkit's file functions share: the one list of signatures
// that reach a decoder, whole-file reads within the size cap, decoding and
// encoding pinned to one format, and rewrites through a temporary file.
#pragma once

#include "imaging/toolkit/LeadBitmapData_p.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

class ByteSource;

namespace kivlead {

// ImageMagick's coder of a KivLeadFormat; empty for none.
const char* magickName(int format);

// The format bytes start with; UNKNOWN for anything else.
int sniff(const std::uint8_t* p, std::size_t n);
bool multiPage(int format);
// The format of a regular file by its first bytes; a status when it cannot be read.
int sniffFile(const char* file, ByteSource& source, int* format);
// Reads a regular file whole, within the size cap.
int readFile(const char* file, std::vector<std::uint8_t>& bytes);
// Decodes data as format into list (page 0: every page); ping reads sizes only.
int decode(std::list<Magick::Image>& list, const std::uint8_t* data, std::size_t size, int format, bool ping, int page,
    const char* sizeHint = nullptr);
int encodeBlob(std::list<Magick::Image>& pages, int format, int quality, Magick::Blob& blob);
int encode(std::list<Magick::Image>& pages, int format, int quality, std::string& out);
int writeAtomically(const char* file, const void* data, std::size_t size);
int writeAtomically(const char* file, const std::string& bytes);
// Decodes the file's pages, lets change edit them and writes them back under
// the file's lock (see LeadCodec.cpp).
int rewritePages(const char* file, int format, int quality, bool mayCreate,
    const std::function<int(std::list<Magick::Image>&)>& change);

} // namespace kivlead
