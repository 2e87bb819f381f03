// The sample data set: FoxPro tables kept as readable CSV files, and their conversion into
// free tables (the build writes them beside the program as its Samples folder).
//
// A data file's first row names the fields as NAME:TYPE[:width[:decimals]][:null], e.g.
// "CUSTID:C:5", "PRICE:N:10:2", "SINCE:D", "NOTES:M:null". TYPE is a FoxPro field letter
// (C V M N F I B Y D T L). A first column headed "*" marks deleted records with "*".
// Values: text as written; numbers with "." and no grouping; dates YYYY-MM-DD; date-times
// YYYY-MM-DD hh:mm:ss; logicals T or F; an empty cell is a blank value; an unquoted NULL is
// Null (nullable fields only; "NULL" in quotes is the text).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "components/vfp/Value.h"
#include "components/vfpwriter/TableWriter.h"

namespace samples {

struct SampleRecord
{
    int line = 0;  // where the record starts in its data file, for messages
    bool deleted = false;
    std::vector<vfp::Value> values;  // one per field, as the table writer takes them
};

struct SampleTable
{
    std::string name;  // path below the data folder without ".csv", '/' separated
    std::vector<vfpwriter::FieldDefinition> fields;
    std::vector<SampleRecord> records;

    std::size_t liveRecordCount() const;
};

// Parses one data file's text. name is used in messages and becomes SampleTable::name.
// Throws std::runtime_error naming the table, line and field when the header or a value is
// not valid (unknown type, bad number or date, a value the field cannot hold, a wrong
// number of cells, NULL in a field that cannot be Null, text the Windows-1252 tables cannot
// store).
SampleTable parseSampleTable(std::string_view text, const std::string& name);

// Every *.csv below dataDir (sub-folders too), ordered by name. Throws std::runtime_error as
// parseSampleTable does, or when a file cannot be read.
std::vector<SampleTable> loadSampleData(const std::filesystem::path& dataDir);

// Writes each table as outDir/<name>.dbf (with its .fpt when it has memos), creating
// sub-folders. Throws std::runtime_error (naming the table and line) or vfp::VfpError.
void writeSampleTables(const std::vector<SampleTable>& tables, const std::filesystem::path& outDir);

}  // namespace samples
