// Every reader reads every cell: the same workbooks, exported by quorvane-export, read back by
// LibreOffice, Gnumeric, openpyxl, SheetJS and ExcelJS, each text cell compared with what dump
// prints for it. The workbooks: a table of CR LF memos, a tab, a NUL, a literal "_x0041_" and
// an "_x001 _" that is no escape, and real tables with CR LF memos (when the shared fixtures
// are there).
//
// A reader that decodes "_xHHHH_" must show the text exactly; one that does not must show
// exactly every text that needs no escape (CR LF memos among them), and the others with
// escapes that a decoder turns back into the text.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "tests/support/Fixtures.h"
#include "tests/support/RunCommand.h"
#include "tests/support/SheetReaders.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace data = dbtest;
using testsupport::SheetReader;

// A table as dump prints it: the field names and types, and each record's cell texts (a Null
// as an empty optional).
struct Dumped
{
    std::string source;
    std::vector<std::string> names;
    std::vector<int> types;
    std::vector<std::vector<std::optional<std::string>>> records;
};

testsupport::CommandOutcome runExport(const QStringList& arguments)
{
    return testsupport::runCommand(QStringLiteral(QUORVANE_EXPORT_BINARY), arguments);
}

Dumped dump(const std::filesystem::path& table)
{
    const testsupport::CommandOutcome result =
        runExport({QStringLiteral("dump"), QString::fromStdString(table.string())});
    EXPECT_EQ(result.status, 0) << result.err;
    Dumped dumped{table.filename().string(), {}, {}, {}};
    const QList<QByteArray> lines = QByteArray::fromStdString(result.out).split('\n');
    const QJsonObject head = QJsonDocument::fromJson(lines.front()).object();
    for (const QJsonValue& field : head.value(QStringLiteral("fields")).toArray()) {
        dumped.names.push_back(field[QStringLiteral("name")].toString().toStdString());
        dumped.types.push_back(field[QStringLiteral("type")].toInt());
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        auto& record = dumped.records.emplace_back();
        for (const QJsonValue& cell : QJsonDocument::fromJson(lines[i]).array())
            record.push_back(cell.isNull() ? std::nullopt
                                           : std::optional(cell.toString().toStdString()));
    }
    return dumped;
}

// Each "_xHHHH_" as the character it stands for, as the readers that decode them do.
std::string decodeEscapes(const std::string& stored)
{
    const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    std::string shown;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (i + 6 < stored.size() && stored[i] == '_' && stored[i + 1] == 'x' &&
            hex(stored[i + 2]) && hex(stored[i + 3]) && hex(stored[i + 4]) && hex(stored[i + 5]) &&
            stored[i + 6] == '_') {
            const QString character(
                QChar(char16_t(std::stoi(stored.substr(i + 2, 4), nullptr, 16))));
            shown += character.toStdString();
            i += 6;
        } else {
            shown += stored[i];
        }
    }
    return shown;
}

// Text that every reader shows as it is: no "_x" and no control character but tab, line feed
// and carriage return.
bool needsNoEscape(const std::string& text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return text.find("_x") == std::string::npos;
}

std::string withoutCarriageReturnsBeforeLineFeeds(std::string text)
{
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

bool isTextType(int adoType)
{
    return adoType == 129 || adoType == 130 || adoType == 200 || adoType == 201 || adoType == 202 ||
           adoType == 203;
}

// The workbooks, written once for every reader: each table exported on its own from its .dbf,
// with its dump.
class Workbooks
{
public:
    static Workbooks& get()
    {
        static Workbooks books;
        return books;
    }
    std::vector<std::filesystem::path> files;
    std::vector<Dumped> tables;

private:
    Workbooks()
    {
        data::writeTable(
            mDir.path(), "memos",
            {{"ID", vfp::FieldType::Integer},
             {"NOTE", vfp::FieldType::Memo, 0, 0, true},
             {"CODE", vfp::FieldType::Character, 8}},
            {{data::integer(1), data::text("line 1\r\nline 2\r\n"), data::text("a")},
             {data::integer(2), data::text("tab\there"), data::text("\tb")},
             {data::integer(3), data::text(std::string("nul\0byte", 8)), data::text("_x0041_")},
             {data::integer(4), data::text("literal _x0041_ and _x000D_"), data::text("c")},
             {data::integer(5), data::null(), data::text("d")},
             {data::integer(6), data::text(std::string("all\r\n\t_x0041_\0\x01", 15)),
              data::text("e")},
             // No escape: a blank among the hex digits; then a literal "_x005F_".
             {data::integer(7), data::text("_x001 _4_x005F_"), data::text("f")}});
        add(mDir.path() / "memos.dbf");
        if (testsupport::haveFixtures()) {
            add(testsupport::fixture("infused-dbf/dbase_30.dbf"));
            add(testsupport::fixture("DBFFile/vfp9_memo_bs1.dbf"));
        }
    }

    void add(const std::filesystem::path& table)
    {
        const std::filesystem::path book =
            mDir.path() / (table.stem().string() + std::to_string(files.size()) + ".xlsx");
        const testsupport::CommandOutcome result =
            runExport({QStringLiteral("export"), QString::fromStdString(table.string()),
                       QStringLiteral("-o"), QString::fromStdString(book.string())});
        EXPECT_EQ(result.status, 0) << result.err;
        files.push_back(book);
        tables.push_back(dump(table));
    }

    testsupport::TempDir mDir;
};

struct ReaderCase
{
    const char* name;
    SheetReader reader;
    bool decodesEscapes;
    bool lineBreaksAsParagraphs;  // keeps a CR LF line break as a paragraph break: shows LF
};

class ReadersTest : public testing::TestWithParam<ReaderCase>
{
};

TEST_P(ReadersTest, ShowsEveryTextCellAsDumpPrintsIt)
{
    const ReaderCase& c = GetParam();
    if (const std::string missing = testsupport::readerMissing(c.reader); !missing.empty())
        GTEST_SKIP() << missing << ": tools/setup.sh or tools/setup-readers.sh installs it";
    const Workbooks& books = Workbooks::get();
    const std::vector<testsupport::SheetBook> read = testsupport::readSheets(c.reader, books.files);
    ASSERT_EQ(read.size(), books.tables.size());
    int textCells = 0;
    for (std::size_t b = 0; b < read.size(); ++b) {
        const Dumped& table = books.tables[b];
        SCOPED_TRACE(table.source);
        ASSERT_EQ(read[b].size(), 1u) << "one sheet";
        const auto& rows = read[b].begin()->second.rows;
        ASSERT_EQ(rows.size(), table.records.size() + 1);
        for (std::size_t k = 0; k < table.names.size(); ++k)
            EXPECT_EQ(rows[0].at(k), table.names[k]);
        for (std::size_t r = 0; r < table.records.size(); ++r) {
            for (std::size_t k = 0; k < table.names.size(); ++k) {
                if (!isTextType(table.types[k]))
                    continue;
                ++textCells;
                const std::string expected = table.records[r][k].value_or("");
                const std::string shown = k < rows[r + 1].size() ? rows[r + 1][k] : "";
                SCOPED_TRACE("record " + std::to_string(r + 1) + ", " + table.names[k]);
                if (c.lineBreaksAsParagraphs)
                    EXPECT_EQ(shown, withoutCarriageReturnsBeforeLineFeeds(expected));
                else if (c.decodesEscapes || needsNoEscape(expected))
                    EXPECT_EQ(shown, expected);
                else
                    EXPECT_EQ(decodeEscapes(shown), expected) << "shown: " << shown;
            }
        }
    }
    EXPECT_GE(textCells, 12);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, ReadersTest,
    testing::Values(ReaderCase{"libreoffice", SheetReader::LibreOffice, true, true},
                    ReaderCase{"gnumeric", SheetReader::Gnumeric, false, false},
                    ReaderCase{"openpyxl", SheetReader::Openpyxl, false, false},
                    ReaderCase{"sheetjs", SheetReader::SheetJs, true, false},
                    ReaderCase{"exceljs", SheetReader::ExcelJs, false, false}),
    data::CaseName());

}  // namespace
