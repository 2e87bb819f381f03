// Reads written workbooks back with LibreOffice (every sheet to CSV), the program most users
// here open them with: what it shows is what the user gets.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

using CsvRows = std::vector<std::vector<std::string>>;
using CsvSheets = std::map<std::string, CsvRows>;  // by sheet name

// Every sheet of every file as LibreOffice shows it, in one soffice run; nullopt when
// LibreOffice is not installed (the caller skips, saying so). Fails the current test when the
// files cannot be converted.
std::optional<std::vector<CsvSheets>> readWithLibreOffice(
    const std::vector<std::filesystem::path>& files);

}  // namespace testsupport
