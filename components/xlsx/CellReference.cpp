// Column letters are bijective base 26: A..Z, AA..ZZ, AAA..XFD.
#include "components/xlsx/CellReference.h"

#include <array>

#include "components/xlsx/Limits.h"

namespace xlsx {

namespace {

struct Letters
{
    std::array<char, 3> text;
    int length;
};

const std::array<Letters, kMaxColumns>& letterTable()
{
    static const auto table = [] {
        std::array<Letters, kMaxColumns> made{};
        for (int column = 0; column < kMaxColumns; ++column) {
            char reversed[3];
            int length = 0;
            for (int n = column + 1; n > 0; n = (n - 1) / 26)
                reversed[length++] = static_cast<char>('A' + (n - 1) % 26);
            Letters& letters = made[static_cast<std::size_t>(column)];
            letters.length = length;
            for (int i = 0; i < length; ++i)
                letters.text[static_cast<std::size_t>(i)] = reversed[length - 1 - i];
        }
        return made;
    }();
    return table;
}

}  // namespace

std::string_view columnLetters(int column)
{
    const Letters& letters = letterTable()[static_cast<std::size_t>(column)];
    return {letters.text.data(), static_cast<std::size_t>(letters.length)};
}

std::string cellReference(int row, int column)
{
    return std::string(columnLetters(column)) + std::to_string(row + 1);
}

int columnOfLetters(std::string_view text, std::size_t& letters)
{
    int number = 0;
    letters = 0;
    while (letters < text.size() && text[letters] >= 'A' && text[letters] <= 'Z')
        number = number * 26 + (text[letters++] - 'A' + 1);
    return number - 1;
}

}  // namespace xlsx
