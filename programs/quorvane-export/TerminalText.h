// Text of tables, views and file names on its way to a terminal. Its control characters would
// let the bytes of a name drive the terminal (set its title, write the clipboard through
// OSC 52, move the cursor, answer with typed text), so they are written as escapes instead.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cli {

// How many bytes the control character at text[i] takes: 1 for C0 (U+0000 to U+001F) and DEL,
// 2 for a C1 character (U+0080 to U+009F) in UTF-8, 0 when text[i] starts none.
std::size_t controlLength(std::string_view text, std::size_t i);

// Appends the bytes text[i], text[i + 1], ... (length of them) to out as \xHH each.
void appendHexEscapes(std::string& out, std::string_view text, std::size_t i, std::size_t length);

// text with every control character written as \xHH per byte ("\x1b", "\xc2\x9b"); every other
// byte as it is.
std::string withoutControls(std::string_view text);

}  // namespace cli
