// quorvane-export as a user runs it: the exact lines of list and dump, and the exit status
// and single error line of every failure.
#include <fstream>

#include <QStringList>

#include <gtest/gtest.h>

#include "components/vfpwriter/ContainerWriter.h"
#include "components/vfpwriter/TableWriter.h"
#include "tests/support/RunCommand.h"
#include "tests/support/TempDir.h"
#include "tests/support/TempSettings.h"
#include "tests/support/XlsxReader.h"

namespace {

using vfp::FieldType;

using Outcome = testsupport::CommandOutcome;

Outcome run(const QStringList& arguments)
{
    return testsupport::runCommand(QStringLiteral(QUORVANE_EXPORT_BINARY), arguments);
}

QString path(const std::filesystem::path& p)
{
    return QString::fromStdString(p.string());
}

// The arguments of a table row, "@" standing for folder.
QStringList withFolder(const std::vector<const char*>& arguments,
                       const std::filesystem::path& folder)
{
    QStringList result;
    for (const char* argument : arguments)
        result << QString::fromUtf8(argument).replace(QLatin1Char('@'), path(folder));
    return result;
}

vfp::Value value(vfp::Value::Kind kind, std::string bytes = {}, std::int64_t integer = 0)
{
    vfp::Value v;
    v.kind = kind;
    v.bytes = std::move(bytes);
    v.integer = integer;
    return v;
}

class CliTest : public testing::Test
{
protected:
    void SetUp() override
    {
        using Kind = vfp::Value::Kind;
        vfpwriter::TableWriter writer(mDir.path() / "Orders.dbf",
                                      {{"ID", FieldType::Integer},
                                       {"NAME", FieldType::Character, 12, 0, true},
                                       {"PRICE", FieldType::Numeric, 8, 2, true},
                                       {"PAID", FieldType::Logical},
                                       {"PIC", FieldType::Blob, 0, 0, true},
                                       {"NOTE", FieldType::Memo}});
        writer.append({value(Kind::Integer, {}, 1), value(Kind::Text, "Tab\there \"q\""),
                       value(Kind::Decimal, "12.50"), value(Kind::Boolean, {}, 1),
                       value(Kind::Binary, "\x89PNG"), value(Kind::Text, "Zürich\\\r\n\x01")});
        writer.append({value(Kind::Integer, {}, 2), value(Kind::Null), value(Kind::Null),
                       value(Kind::Boolean, {}, 0), value(Kind::Null), value(Kind::Text, "")});
        writer.append(
            {value(Kind::Integer, {}, 3), value(Kind::Text, "gone"), value(Kind::Decimal, "1"),
             value(Kind::Boolean, {}, 0), value(Kind::Null), value(Kind::Text, "")},
            true);
        writer.close();
    }

    testsupport::TempDir mDir;
};

TEST_F(CliTest, DumpWritesFieldsThenOneArrayOfCellTextsPerRecord)
{
    const Outcome result =
        run({QStringLiteral("dump"), path(mDir.path()), QStringLiteral("orders")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "{\"fields\":[{\"name\":\"id\",\"type\":3},{\"name\":\"name\",\"type\":129},"
              "{\"name\":\"price\",\"type\":131},{\"name\":\"paid\",\"type\":11},"
              "{\"name\":\"pic\",\"type\":205},{\"name\":\"note\",\"type\":201}],\"count\":2}\n"
              "[\"1\",\"Tab\\there \\\"q\\\"\",\"12.5\",\"True\",\"{BINARY DATA}\","
              "\"Zürich\\\\\\r\\n\\u0001\"]\n"
              "[\"2\",null,null,\"False\",\"{BINARY DATA}\",\"\"]\n");
}

// A memo that cannot be read costs only its cell: every record is printed, the failure is one
// line naming the record, and the exit status says the output is incomplete.
TEST_F(CliTest, DumpPrintsEveryRecordItCanAndSaysWhatItCouldNot)
{
    {
        vfpwriter::TableWriter writer(mDir.path() / "notes.dbf",
                                      {{"ID", FieldType::Integer}, {"NOTE", FieldType::Memo}});
        for (int id = 1; id <= 3; ++id)
            writer.append({value(vfp::Value::Kind::Integer, {}, id),
                           value(vfp::Value::Kind::Text, "note " + std::to_string(id))});
        writer.close();
    }
    std::filesystem::remove(mDir.path() / "notes.fpt");
    const Outcome result =
        run({QStringLiteral("dump"), path(mDir.path()), QStringLiteral("notes")});
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.out,
              "{\"fields\":[{\"name\":\"id\",\"type\":3},{\"name\":\"note\",\"type\":201}],"
              "\"count\":3}\n[\"1\",null]\n[\"2\",null]\n[\"3\",null]\n");
    ASSERT_EQ(result.errorLines().size(), 1u) << result.err;
    EXPECT_NE(result.err.find("notes.fpt is missing"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("3 cells of field note"), std::string::npos) << result.err;
}

// A bare name reaches a sub-folder's table when it is the only one of that name.
TEST_F(CliTest, DumpFindsTheOneSubFolderTableOfABareName)
{
    std::filesystem::create_directories(mDir.path() / "2019");
    std::filesystem::create_directories(mDir.path() / "2020");
    vfpwriter::TableWriter(mDir.path() / "2019" / "archive.dbf", {{"ID", FieldType::Integer}})
        .close();
    const Outcome found =
        run({QStringLiteral("dump"), path(mDir.path()), QStringLiteral("archive")});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "{\"fields\":[{\"name\":\"id\",\"type\":3}],\"count\":0}\n");

    vfpwriter::TableWriter(mDir.path() / "2020" / "archive.dbf", {{"ID", FieldType::Integer}})
        .close();
    const Outcome twice =
        run({QStringLiteral("dump"), path(mDir.path()), QStringLiteral("archive")});
    EXPECT_EQ(twice.status, 1);
    EXPECT_NE(twice.err.find("2019/archive.dbf, 2020/archive.dbf"), std::string::npos) << twice.err;
}

TEST_F(CliTest, ListGivesTablesAndViewsOfAContainer)
{
    const std::filesystem::path dbc = mDir.path() / "shop.dbc";
    {
        vfpwriter::ContainerWriter writer(dbc);
        writer.createTable("Orders", "orders2.dbf", {{"orderid", FieldType::Integer}}).close();
        writer.createTable("customers", "customers.dbf", {{"id", FieldType::Integer}}).close();
        writer.addView("late_orders", "SELECT * FROM orders");
        writer.close();
    }
    const Outcome result = run({QStringLiteral("list"), path(dbc)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "TABLE\tcustomers\nTABLE\tOrders\nVIEW\tlate_orders\n");

    const Outcome dump = run({QStringLiteral("dump"), path(dbc), QStringLiteral("ORDERS")});
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, "{\"fields\":[{\"name\":\"orderid\",\"type\":3}],\"count\":0}\n");
}

TEST_F(CliTest, ListGivesTheCataloguesItemsOfAFolder)
{
    std::filesystem::create_directories(mDir.path() / "sub");
    vfpwriter::TableWriter(mDir.path() / "sub" / "Customer.DBF", {{"ID", FieldType::Integer}})
        .close();
    vfpwriter::TableWriter(mDir.path() / "~tmp.dbf", {{"ID", FieldType::Integer}}).close();
    const Outcome result = run({QStringLiteral("list"), path(mDir.path())});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "TABLE\tOrders\tOrders.dbf\nTABLE\tCustomer\tsub/Customer.DBF\n");
}

// An unmarked table of DOS text: three bytes that read é ø ß in code page 850, В Ы с in 866 and
// ‚ › á in Windows-1252 (the pages' published charts).
class CliCodePageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        vfpwriter::WriteOptions unmarked;
        unmarked.codePageMark = 0;
        vfpwriter::TableWriter writer(mDir.path() / "dos.dbf", {{"TXT", FieldType::Character, 3}},
                                      unmarked);
        writer.append({value(vfp::Value::Kind::Binary, "\x82\x9b\xe1")});
        writer.close();
    }
    std::string dumped(QStringList arguments)
    {
        const Outcome result = run(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        const std::size_t row = result.out.find("\n[");
        return row == std::string::npos ? result.out : result.out.substr(row + 1);
    }
    testsupport::TempDir mDir;
};

TEST_F(CliCodePageTest, DumpReadsUnmarkedTablesInTheCodePageGivenAnywhere)
{
    const QString source = path(mDir.path());
    const QString dos = QStringLiteral("dos");
    EXPECT_EQ(dumped({QStringLiteral("dump"), source, dos}), "[\"‚›á\"]\n") << "1252 by default";
    EXPECT_EQ(dumped({QStringLiteral("--codepage"), QStringLiteral("850"), QStringLiteral("dump"),
                      source, dos}),
              "[\"éøß\"]\n");
    EXPECT_EQ(dumped({QStringLiteral("dump"), source, dos, QStringLiteral("--codepage=866")}),
              "[\"ВЫс\"]\n");
}

// Without --codepage the command reads unmarked tables as the windows do: in the CodePage
// setting (chosen in the preview), Windows-1252 when there is none.
struct SettingCase
{
    const char* name;
    const char* setting;  // the [Quorvane] line; "" for none
    std::vector<const char*> options;
    int status;
    std::string out;  // the record's line, or the start of the error line
};

class CliCodePageSetting : public CliCodePageTest, public testing::WithParamInterface<SettingCase>
{
};

TEST_P(CliCodePageSetting, IsTheDefaultOfTheCommand)
{
    const SettingCase& c = GetParam();
    const testsupport::TempSettings settings;
    std::filesystem::create_directories(settings.file().parent_path());
    std::ofstream(settings.file()) << "[Quorvane]\n" << c.setting << "\n";
    QStringList arguments;
    for (const char* option : c.options)
        arguments << QString::fromUtf8(option);
    arguments << QStringLiteral("dump") << path(mDir.path()) << QStringLiteral("dos");
    const Outcome result = run(arguments);
    ASSERT_EQ(result.status, c.status) << result.err;
    if (c.status == 0)
        EXPECT_EQ(result.out.substr(result.out.find("\n[") + 1), c.out);
    else
        EXPECT_EQ(result.err.substr(0, c.out.size()), c.out) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliCodePageSetting,
    testing::Values(
        SettingCase{"no_setting_reads_windows_1252", "", {}, 0, "[\"‚›á\"]\n"},
        SettingCase{
            "setting_chosen_in_the_preview_is_the_default", "CodePage=850", {}, 0, "[\"éøß\"]\n"},
        SettingCase{"code_page_given_outweighs_the_setting",
                    "CodePage=850",
                    {"--codepage", "866"},
                    0,
                    "[\"ВЫс\"]\n"},
        SettingCase{"setting_naming_no_code_page_fails_saying_where",
                    "CodePage=85O",
                    {},
                    1,
                    "quorvane-export: The setting CodePage in "},
        SettingCase{"setting_naming_no_code_page_is_not_read_when_one_is_given",
                    "CodePage=85O",
                    {"--codepage=850"},
                    0,
                    "[\"éøß\"]\n"}),
    [](const testing::TestParamInfo<SettingCase>& param) { return std::string(param.param.name); });

TEST_F(CliCodePageTest, ExportWritesUnmarkedTablesInTheCodePageGiven)
{
    const std::filesystem::path out = mDir.path() / "out.xlsx";
    const Outcome result =
        run({QStringLiteral("export"), path(mDir.path()), QStringLiteral("--codepage"),
             QStringLiteral("866"), QStringLiteral("-o"), path(out)});
    ASSERT_EQ(result.status, 0) << result.err;
    const testsupport::ReadWorkbook book = testsupport::readXlsx(out);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].cell("A2").value(QStringLiteral("value")).toString(),
              QStringLiteral("ВЫс"));
}

TEST(CliVersion, PrintsTheProjectVersion)
{
    const Outcome result = run({QStringLiteral("--version")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "quorvane-export " QUORVANE_PROJECT_VERSION "\n");
    EXPECT_EQ(result.err, "");
}

// Names holding a tab or a line break stay on their own line, escaped as --help says.
TEST_F(CliTest, ListEscapesNamesThatWouldBreakItsLines)
{
    vfpwriter::TableWriter(mDir.path() / "tab\there.dbf", {{"ID", FieldType::Integer}}).close();
    vfpwriter::TableWriter(mDir.path() / "two\nlines\\.dbf", {{"ID", FieldType::Integer}}).close();
    const Outcome result = run({QStringLiteral("list"), path(mDir.path())});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "TABLE\tOrders\tOrders.dbf\n"
              "TABLE\ttab\\there\ttab\\there.dbf\n"
              "TABLE\ttwo\\nlines\\\\\ttwo\\nlines\\\\.dbf\n");
    const Outcome help = run({QStringLiteral("--help")});
    EXPECT_NE(help.out.find("written \\\\, \\t, \\r or \\n"), std::string::npos) << help.out;
}

// A table whose file name is not valid UTF-8 is listed with its own bytes and exported.
TEST_F(CliTest, TableWhoseNameIsNoUtf8IsListedAndExported)
{
    const std::filesystem::path folder = mDir.path() / "old";
    std::filesystem::create_directories(folder);
    vfpwriter::TableWriter(folder / "caf\xE9.dbf", {{"ID", FieldType::Integer}}).close();
    const Outcome list = run({QStringLiteral("list"), path(folder)});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "TABLE\tcaf\xEF\xBF\xBD\tcaf\xE9.dbf\n");

    const std::filesystem::path out = mDir.path() / "out.xlsx";
    const Outcome result =
        run({QStringLiteral("export"), path(folder), QStringLiteral("-o"), path(out)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(out));
}

// "--" ends the options: a table called "-o" can be named.
TEST_F(CliTest, ExportTakesNamesAfterTheEndOfOptions)
{
    vfpwriter::TableWriter(mDir.path() / "-o.dbf", {{"ID", FieldType::Integer}}).close();
    const std::filesystem::path out = mDir.path() / "out.xlsx";
    const Outcome result = run({QStringLiteral("export"), path(mDir.path()), QStringLiteral("-o"),
                                path(out), QStringLiteral("--"), QStringLiteral("-o")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(out));
}

// Names and values a stranger chose reach a terminal only as escapes: an escape character,
// BEL or a C1 control (a byte Windows-1252 leaves undefined reads as one) would let them set
// the title, write the clipboard (OSC 52) or move the cursor. Each row writes a source with such
// bytes and runs a command on it; the stream checked holds no control character but the line
// breaks (and list's tabs), and holds the escaped form.
struct TerminalCase
{
    const char* name;
    void (*write)(const std::filesystem::path& folder);
    std::vector<const char*> arguments;  // "@" stands for the folder
    bool onStandardError;
    const char* escaped;
};

// A table-driven test of rows of Case, each with a folder of its own.
template <class Case>
class CliRowTest : public testing::TestWithParam<Case>
{
protected:
    testsupport::TempDir mDir;
};

using CliTerminalTest = CliRowTest<TerminalCase>;

TEST_P(CliTerminalTest, NoControlCharacterReachesTheTerminal)
{
    GetParam().write(mDir.path());
    const Outcome result = run(withFolder(GetParam().arguments, mDir.path()));
    const std::string& stream = GetParam().onStandardError ? result.err : result.out;
    for (std::size_t i = 0; i < stream.size(); ++i) {
        const auto byte = static_cast<unsigned char>(stream[i]);
        const bool c1 = byte == 0xC2 && i + 1 < stream.size() &&
                        static_cast<unsigned char>(stream[i + 1]) < 0xA0;
        EXPECT_FALSE(((byte < 0x20 || byte == 0x7F) && byte != '\n' && byte != '\t') || c1)
            << "byte " << int(byte) << " at " << i << " of: " << stream;
    }
    EXPECT_NE(stream.find(GetParam().escaped), std::string::npos) << stream;
}

void writeOscFileName(const std::filesystem::path& folder)
{
    vfpwriter::TableWriter(folder / "\x1b]52;c;cHduZWQ=\x07.dbf", {{"ID", FieldType::Integer}})
        .close();
}

void writeC1FileName(const std::filesystem::path& folder)
{
    vfpwriter::TableWriter(folder / "a\xc2\x9d;x\\.dbf", {{"ID", FieldType::Integer}}).close();
}

void writeContainerWithControls(const std::filesystem::path& folder)
{
    vfpwriter::ContainerWriter writer(folder / "shop.dbc");
    writer.createTable("a\x1b[2Jb", "a.dbf", {{"id", FieldType::Integer}}).close();
    writer.close();
}

void writeCellWithControls(const std::filesystem::path& folder)
{
    vfpwriter::TableWriter writer(folder / "t.dbf", {{"NOTE", FieldType::Character, 12}});
    writer.append({value(vfp::Value::Kind::Text, "\x1b]0;x\x07 \x7f")});
    writer.close();
}

const TerminalCase kTerminalCases[] = {
    {"list_file_name_with_osc_52",
     writeOscFileName,
     {"list", "@"},
     false,
     "\\x1b]52;c;cHduZWQ=\\x07"},
    {"list_file_name_with_c1_osc", writeC1FileName, {"list", "@"}, false, "a\\xc2\\x9d;x\\\\"},
    {"list_container_table_with_escape",
     writeContainerWithControls,
     {"list", "@/shop.dbc"},
     false,
     "a\\x1b[2Jb"},
    {"dump_cell_with_escape_bel_and_del",
     writeCellWithControls,
     {"dump", "@", "t"},
     false,
     "\\u001b]0;x\\u0007 \\u007f"},
    {"error_line_naming_a_table", writeOscFileName, {"dump", "@", "\x1b[2Jx"}, true, "\\x1b[2Jx"},
    {"failure_line_of_an_export",
     writeOscFileName,
     {"export", "@", "-o", "@/out.xlsx", "\x1b]0;title\x07"},
     true,
     "\\x1b]0;title\\x07"},
};

INSTANTIATE_TEST_SUITE_P(Terminal, CliTerminalTest, testing::ValuesIn(kTerminalCases),
                         [](const testing::TestParamInfo<TerminalCase>& param) {
                             return std::string(param.param.name);
                         });

struct Failure
{
    const char* name;
    std::vector<const char*> arguments;  // "@" stands for the test folder
    int status;
    const char* mentions;
};

using CliFailureTest = CliRowTest<Failure>;

TEST_P(CliFailureTest, FailsWithOneLineOnStandardError)
{
    vfpwriter::TableWriter(mDir.path() / "t.dbf", {{"ID", FieldType::Integer}}).close();
    const Outcome result = run(withFolder(GetParam().arguments, mDir.path()));
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.out, "");
    ASSERT_FALSE(result.err.empty());
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    EXPECT_NE(result.err.find(GetParam().mentions), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CliFailureTest,
    testing::Values(
        Failure{"no_command", {}, 2, "no command"},
        Failure{"unknown_command", {"frobnicate", "@"}, 2, "unknown command"},
        Failure{"dump_missing_name", {"dump", "@"}, 2, "dump SOURCE NAME"},
        Failure{"list_extra_argument", {"list", "@", "x"}, 2, "list SOURCE"},
        Failure{"unknown_table", {"dump", "@", "nosuch"}, 1, "nosuch"},
        Failure{"escaping_path", {"dump", "@", "../t"}, 1, "../t"},
        Failure{"missing_folder", {"dump", "@/nowhere", "t"}, 1, "does not exist"},
        Failure{"missing_container", {"list", "@/none.dbc"}, 1, "does not exist"},
        Failure{"list_missing_folder", {"list", "@/nowhere"}, 1, "does not exist"},
        Failure{"unknown_code_page",
                {"--codepage", "9999", "list", "@"},
                2,
                "--codepage 9999: not a code page"},
        Failure{
            "code_page_by_name", {"list", "@", "--codepage=cp850"}, 2, "choose one of 437, 620"},
        Failure{
            "code_page_missing", {"list", "@", "--codepage"}, 2, "--codepage takes a code page"}),
    [](const testing::TestParamInfo<Failure>& param) { return std::string(param.param.name); });

TEST(CliHelp, HelpGoesToStandardOutput)
{
    const Outcome result = run({QStringLiteral("--help")});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("dump SOURCE NAME"), std::string::npos);
    EXPECT_NE(result.out.find("list SOURCE"), std::string::npos);
    EXPECT_EQ(result.err, "");
}

}  // namespace
