// The FoxPro type of a column or an expression of a view's SQL: what the translator knows of
// each value, and what a view's column reports (its DataType property, e.g. "N(20,5)").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace foxsql {

struct SqlType
{
    char letter = '?';    // C V M N F I B Y D T L G W P Q; '?' when not known
    int width = 0;        // C, V, Q, N, F: as declared; 0 when not known
    int decimals = 0;     // N, F, B
    bool binary = false;  // C, V, M kept as bytes (NOCPTRANS)

    static SqlType of(char letter, int width = 0, int decimals = 0)
    {
        return SqlType{letter, width, decimals, false};
    }

    bool known() const { return letter != '?'; }
    // Character, varchar or memo holding text.
    bool isText() const { return !binary && (letter == 'C' || letter == 'V' || letter == 'M'); }
    // Numeric, float, integer, double or currency.
    bool isNumber() const
    {
        return letter == 'N' || letter == 'F' || letter == 'I' || letter == 'B' || letter == 'Y';
    }
    bool isBinary() const;
    // Character, varchar, varbinary, numeric and float are declared with a width.
    bool hasWidth() const
    {
        return letter == 'C' || letter == 'V' || letter == 'Q' || letter == 'N' || letter == 'F';
    }

    bool operator==(const SqlType&) const = default;
};

// Reads a DataType property: a type letter, a width and decimals in brackets where the type
// has them ("C(40)", "N(20,5)", "Y", "B(2)"), then optionally NOCPTRANS, NULL or NOT NULL.
// nullopt when the text is none of these.
std::optional<SqlType> parseDataType(std::string_view text);

// The DataType text of a type, e.g. "N(20,5)"; "?" when not known. For messages and tests.
std::string dataTypeText(const SqlType& type);

}  // namespace foxsql
