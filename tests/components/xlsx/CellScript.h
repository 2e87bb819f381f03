// The same workbook written by both writers: a script of calls that one interpreter plays to
// libxlsxwriter (the reference) and another to our writer, and the package comparison.
#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "components/xlsx/ExcelDate.h"

namespace xlsxtest {

// format: 0 for none, k for the k-th AddFormat of the script.
struct AddFormat
{
    std::string code;
};
struct AddSheet
{
    std::string name;
};
struct Number
{
    int sheet, row, column;
    double value;
    int format = 0;
};
// A double that must read back exactly: writeExactNumber in ours, worksheet_write_number (whose
// 16 significant digits may lose it) in the reference.
struct ExactNumber
{
    int sheet, row, column;
    double value;
};
struct Text
{
    int sheet, row, column;
    std::string text;
    int format = 0;
};
struct Boolean
{
    int sheet, row, column;
    bool value;
};
struct When
{
    int sheet, row, column;
    xlsx::DateTime when;
    int format;
};
struct Blank
{
    int sheet, row, column;
    int format;
};
struct Width
{
    int sheet, column;
    double width;
};
struct Activate
{
    int sheet;
};

using Step = std::variant<AddFormat, AddSheet, Number, ExactNumber, Text, Boolean, When, Blank,
                          Width, Activate>;
using Script = std::vector<Step>;

// Each fails the current test when the writer refuses a call.
void writeReference(const Script& script, const std::filesystem::path& file);
void writeOurs(const Script& script, const std::filesystem::path& file);

// Bytes our writer writes on purpose where the reference writes others.
struct KnownDifference
{
    std::string reference;
    std::string ours;
};

// "" when both packages hold the same parts once inflated (creation time aside), but for the
// known differences, each of which the reference must write; else what differs, as
// compare_packages.py prints it.
std::string packageDifferences(const std::filesystem::path& reference,
                               const std::filesystem::path& candidate,
                               const std::vector<KnownDifference>& known = {});

}  // namespace xlsxtest
