// Builders of test tables: values for the table writer, tables written with it, and reading a
// table back through a connection the way the export does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <QString>

#include <gtest/gtest.h>

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/vfp/Value.h"
#include "components/vfpwriter/TableWriter.h"

namespace dbtest {

vfp::Value null();
vfp::Value text(std::string utf8);
vfp::Value binary(std::string bytes);
vfp::Value decimal(std::string digits);
vfp::Value integer(std::int64_t value);
vfp::Value currency(std::int64_t scaled);  // value x 10,000
vfp::Value real(double value);
vfp::Value boolean(bool value);
vfp::Value date(int year, int month, int day);
vfp::Value dateTime(int year, int month, int day, int hour, int minute, int second);

// Writes dir/name.dbf (and its memo file) with the given records.
void writeTable(const std::filesystem::path& dir, const std::string& name,
                std::vector<vfpwriter::FieldDefinition> fields,
                const std::vector<std::vector<vfp::Value>>& records);

// A table with one varchar field NAME and the given number of records "r1", "r2", ...
void writeNamesTable(const std::filesystem::path& dir, const std::string& name, int records);

// "Provider=vfpoledb.1;Data Source=<path>;Collating Sequence=<general|machine>;" as the
// windows build it: machine for a .dbc, general for a folder.
QString connectionString(const std::filesystem::path& source);

// One recordset row: the cell texts, with "<null>" standing for a Null value.
using Row = std::vector<std::string>;

struct ReadTable
{
    std::vector<std::string> names;
    std::vector<int> types;
    std::vector<int> scales;  // NumericScale
    long count = 0;
    std::vector<Row> rows;
};

// Opens source (folder or .dbc), runs SELECT * FROM `name` and reads every row to EOF.
// allowItsServer: a remote view may reach its server, as after the user's "Yes".
// DatabaseError passes through.
ReadTable readTable(const std::filesystem::path& source, const QString& name,
                    bool allowItsServer = false);

// Names each case of a parameterized test after its `name` member.
struct CaseName
{
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& param) const
    {
        return param.param.name;
    }
};

}  // namespace dbtest
