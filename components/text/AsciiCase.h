// Letter case of ASCII text: names of fields, files, SQL words and connect-string keys, which
// compare ignoring case for A to Z alone. Bytes outside A-Z and a-z (UTF-8 among them) stay
// as they are, whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace text {

constexpr char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char upperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string lowerAscii(std::string_view text);
std::string upperAscii(std::string_view text);

// True when a and b are equal but for the case of ASCII letters.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace text
