// ASCII letter case, one byte at a time.
#include "components/text/AsciiCase.h"

#include <algorithm>

namespace text {

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = upperAscii(c);
    return out;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

}  // namespace text
