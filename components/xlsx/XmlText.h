// Text made into XML as the reference writer (libxlsxwriter) makes it, so both write the same
// bytes: "&", "<" and ">" as entities (and '"' in attributes), control characters other than
// tab, line feed and carriage return as "_xHHHH_" escapes, everything else unchanged. One
// difference: carriage return goes as the character reference "&#13;" (a literal one would
// become a line feed in every XML reader), where the reference writer's "_x000D_" is shown as
// those seven characters by the readers that do not decode such escapes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "components/xlsx/ByteBuffer.h"

namespace xlsx {

// Length of the start of text that needs no escaping and is ASCII: bytes 0x20 to 0x7F but
// & < >. Checks eight bytes at a time: most cells of a table are that from start to end.
std::size_t plainLength(std::string_view text);

// Appends text as character data to out, its first `plain` bytes known to be plain (see
// plainLength). Returns false, having appended nothing, when text is not well-formed UTF-8 or
// holds U+FFFE or U+FFFF (no XML reader accepts them). codePoints is set to the number of
// characters of text.
bool appendEscapedText(std::string_view text, std::size_t plain, ByteBuffer& out,
                       std::size_t& codePoints);

// xml:space="preserve" is due when the text starts or ends with what XML counts as white space
// (space, tab, line feed, carriage return), or readers would drop it.
inline bool keepsSpace(std::string_view text)
{
    auto white = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !text.empty() && (white(text.front()) || white(text.back()));
}

// Text of an element (&, <, > escaped) or of an attribute (also ").
std::string escapedData(std::string_view text);
std::string escapedAttribute(std::string_view text);

// Number of characters of well-formed UTF-8 text; -1 when it is not, or holds U+FFFE / U+FFFF
// or a control character (which a name cannot hold).
long nameLength(std::string_view text);

}  // namespace xlsx
