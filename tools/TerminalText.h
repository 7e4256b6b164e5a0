// Text from files shown on a terminal: control characters and bytes that are
// not UTF-8 are written as \xNN, so a crafted file cannot send escape
// sequences to the user's terminal.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// text with C0 and C1 controls (also raw bytes 0x80-0x9F) and DEL escaped
// as \xNN; other bytes and a backslash stay as they are.
std::string escapeControls(std::string_view text);

} // namespace cli
