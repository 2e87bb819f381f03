// Reads the sample data files (header of typed field names, one record per row) and writes
// them as FoxPro free tables.
#include "samples/SampleTable.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "components/vfp/VfpError.h"
#include "samples/CsvReader.h"
#include "samples/SampleValue.h"

namespace samples {

namespace {

constexpr char kDeletedColumn[] = "*";  // a first column with this header marks deleted records

std::vector<std::string> splitAt(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

bool isKnownType(char letter)
{
    return std::string_view("CVMNFIBYDTL").find(letter) != std::string_view::npos;
}

// "NAME:TYPE[:width[:decimals]][:null]"
vfpwriter::FieldDefinition parseFieldDefinition(const std::string& text)
{
    const std::vector<std::string> parts = splitAt(text, ':');
    if (parts.size() < 2 || parts[0].empty() || parts[1].size() != 1 || !isKnownType(parts[1][0]))
        throw std::runtime_error("field \"" + text +
                                 "\" is not NAME:TYPE[:width[:decimals]][:null] "
                                 "with TYPE one of C V M N F I B Y D T L");
    vfpwriter::FieldDefinition field;
    field.name = parts[0];
    field.type = static_cast<vfp::FieldType>(parts[1][0]);
    std::vector<int> numbers;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        if (parts[i] == "null" && i + 1 == parts.size()) {
            field.nullable = true;
        } else {
            int n = 0;
            const auto [end, error] =
                std::from_chars(parts[i].data(), parts[i].data() + parts[i].size(), n);
            if (error != std::errc{} || end != parts[i].data() + parts[i].size() ||
                numbers.size() == 2)
                throw std::runtime_error("field \"" + text + "\": \"" + parts[i] +
                                         "\" is neither a width, decimals nor a final \"null\"");
            numbers.push_back(n);
        }
    }
    if (!numbers.empty())
        field.length = numbers[0];
    if (numbers.size() > 1)
        field.decimals = numbers[1];
    return field;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw std::runtime_error(path.string() + " cannot be read");
    return text.str();
}

}  // namespace

std::size_t SampleTable::liveRecordCount() const
{
    return static_cast<std::size_t>(std::count_if(
        records.begin(), records.end(), [](const SampleRecord& r) { return !r.deleted; }));
}

SampleTable parseSampleTable(std::string_view text, const std::string& name)
{
    SampleTable table;
    table.name = name;
    const std::string where = name + ".csv";
    std::vector<CsvRow> rows;
    try {
        rows = parseCsv(text);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(where + " " + e.what());
    }
    if (rows.empty())
        throw std::runtime_error(where + " has no header row naming its fields");

    const std::vector<CsvCell>& header = rows.front().cells;
    const bool hasDeletedColumn = header.front().text == kDeletedColumn;
    for (std::size_t i = hasDeletedColumn ? 1 : 0; i < header.size(); ++i) {
        try {
            table.fields.push_back(parseFieldDefinition(header[i].text));
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(where + " line 1: " + e.what());
        }
    }

    for (std::size_t r = 1; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        const std::string at = where + " line " + std::to_string(row.line);
        if (row.cells.size() != header.size())
            throw std::runtime_error(at + ": " + std::to_string(row.cells.size()) +
                                     " cells where the header names " +
                                     std::to_string(header.size()));
        SampleRecord record;
        record.line = row.line;
        std::size_t first = 0;
        if (hasDeletedColumn) {
            const std::string& mark = row.cells.front().text;
            if (!mark.empty() && mark != kDeletedColumn)
                throw std::runtime_error(
                    at + ": the first cell must be empty or \"*\" (deleted), not \"" + mark + "\"");
            record.deleted = mark == kDeletedColumn;
            first = 1;
        }
        for (std::size_t i = first; i < row.cells.size(); ++i) {
            const vfpwriter::FieldDefinition& field = table.fields[i - first];
            try {
                record.values.push_back(parseSampleValue(row.cells[i], field));
            } catch (const std::runtime_error& e) {
                throw std::runtime_error(at + ", field " + field.name + ": " + e.what());
            }
        }
        table.records.push_back(std::move(record));
    }
    return table;
}

std::vector<SampleTable> loadSampleData(const std::filesystem::path& dataDir)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dataDir))
        if (entry.is_regular_file() && entry.path().extension() == ".csv")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    std::vector<SampleTable> tables;
    for (const std::filesystem::path& file : files) {
        const std::string name =
            std::filesystem::relative(file, dataDir).replace_extension().generic_string();
        tables.push_back(parseSampleTable(readFile(file), name));
    }
    return tables;
}

void writeSampleTables(const std::vector<SampleTable>& tables, const std::filesystem::path& outDir)
{
    for (const SampleTable& table : tables) {
        const std::filesystem::path dbf = outDir / (table.name + ".dbf");
        std::filesystem::create_directories(dbf.parent_path());
        vfpwriter::TableWriter writer(dbf, table.fields);
        for (const SampleRecord& record : table.records) {
            try {
                writer.append(record.values, record.deleted);
            } catch (const vfp::VfpError& e) {
                throw std::runtime_error(table.name + ".csv line " + std::to_string(record.line) +
                                         ": " + e.what());
            }
        }
        writer.close();
    }
}

}  // namespace samples
