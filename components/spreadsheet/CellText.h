// A cell's text made safe for the file before it reaches the writer: well-formed UTF-8, escapes
// a spreadsheet program decodes back to the same text, and the cell-length cut.
#pragma once

#include <string>
#include <string_view>

namespace spreadsheet {

class CellText
{
public:
    struct Prepared
    {
        std::string_view text;  // valid until the next prepare() and while the input lives
        int width;              // display width of the text in character cells (wide characters 2)
        bool cut;               // the text was longer than kMaxCellTextLength and was cut
    };

    // Ill-formed UTF-8 and U+FFFE / U+FFFF become U+FFFD; a literal "_xHHHH_" becomes
    // "_x005F_xHHHH_", so readers that decode such escapes show it unchanged, and so does
    // "_xHHHH" before a control character written as an escape, whose "_" would close it.
    // Control characters, NUL included, pass: the writer escapes them (all but tab, line feed
    // and carriage return), and each counts as the one character it is.
    // The text is cut before the character that would take it past kMaxCellTextLength UTF-16
    // units, or take it with our escapes past the code points the writer accepts.
    Prepared prepare(std::string_view text);

private:
    Prepared prepareSlowly(std::string_view text);

    std::string mBuffer;
};

}  // namespace spreadsheet
