// The two interpreters of a cell script and the call of the package comparison.
#include "tests/components/xlsx/CellScript.h"

#include <gtest/gtest.h>

#include <xlsxwriter.h>

#include <QProcess>

#include "components/xlsx/WorkbookWriter.h"
#include "components/xlsx/XlsxError.h"
#include "tests/support/WritableFile.h"

namespace xlsxtest {

namespace {

template <class... Ts>
struct Visitor : Ts...
{
    using Ts::operator()...;
};

void check(lxw_error result, const char* call)
{
    EXPECT_EQ(result, LXW_NO_ERROR) << call << ": " << lxw_strerror(result);
}

}  // namespace

void writeReference(const Script& script, const std::filesystem::path& file)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
    ASSERT_NE(book, nullptr);
    std::vector<lxw_format*> formats{nullptr};
    std::vector<lxw_worksheet*> sheets;
    for (const Step& step : script) {
        std::visit(Visitor{
                       [&](const AddFormat& s) {
                           formats.push_back(workbook_add_format(book));
                           format_set_num_format(formats.back(), s.code.c_str());
                       },
                       [&](const AddSheet& s) {
                           sheets.push_back(workbook_add_worksheet(book, s.name.c_str()));
                       },
                       [&](const Number& s) {
                           check(worksheet_write_number(sheets[s.sheet], s.row, lxw_col_t(s.column),
                                                        s.value, formats[s.format]),
                                 "worksheet_write_number");
                       },
                       [&](const ExactNumber& s) {
                           check(worksheet_write_number(sheets[s.sheet], s.row, lxw_col_t(s.column),
                                                        s.value, nullptr),
                                 "worksheet_write_number");
                       },
                       [&](const Text& s) {
                           check(worksheet_write_string(sheets[s.sheet], s.row, lxw_col_t(s.column),
                                                        s.text.c_str(), formats[s.format]),
                                 "worksheet_write_string");
                       },
                       [&](const Boolean& s) {
                           check(worksheet_write_boolean(sheets[s.sheet], s.row,
                                                         lxw_col_t(s.column), s.value, nullptr),
                                 "worksheet_write_boolean");
                       },
                       [&](const When& s) {
                           lxw_datetime when{s.when.year, s.when.month,  s.when.day,
                                             s.when.hour, s.when.minute, s.when.second};
                           check(
                               worksheet_write_datetime(sheets[s.sheet], s.row, lxw_col_t(s.column),
                                                        &when, formats[s.format]),
                               "worksheet_write_datetime");
                       },
                       [&](const Blank& s) {
                           check(worksheet_write_blank(sheets[s.sheet], s.row, lxw_col_t(s.column),
                                                       formats[s.format]),
                                 "worksheet_write_blank");
                       },
                       [&](const Width& s) {
                           check(worksheet_set_column(sheets[s.sheet], lxw_col_t(s.column),
                                                      lxw_col_t(s.column), s.width, nullptr),
                                 "worksheet_set_column");
                       },
                       [&](const Activate& s) { worksheet_activate(sheets[s.sheet]); },
                   },
                   step);
    }
    check(workbook_close(book), "workbook_close");
}

void writeOurs(const Script& script, const std::filesystem::path& file)
{
    const testsupport::WritableFile out(file);
    try {
        xlsx::WorkbookWriter book(out.descriptor(), file.string());
        std::vector<xlsx::Format> formats{xlsx::Format()};
        std::vector<xlsx::SheetWriter*> sheets;
        for (const Step& step : script) {
            std::visit(
                Visitor{
                    [&](const AddFormat& s) { formats.push_back(book.addNumberFormat(s.code)); },
                    [&](const AddSheet& s) { sheets.push_back(&book.addSheet(s.name)); },
                    [&](const Number& s) {
                        sheets[s.sheet]->writeNumber(s.row, s.column, s.value, formats[s.format]);
                    },
                    [&](const ExactNumber& s) {
                        sheets[s.sheet]->writeExactNumber(s.row, s.column, s.value);
                    },
                    [&](const Text& s) {
                        sheets[s.sheet]->writeString(s.row, s.column, s.text, formats[s.format]);
                    },
                    [&](const Boolean& s) {
                        sheets[s.sheet]->writeBoolean(s.row, s.column, s.value);
                    },
                    [&](const When& s) {
                        sheets[s.sheet]->writeDateTime(s.row, s.column, s.when, formats[s.format]);
                    },
                    [&](const Blank& s) {
                        sheets[s.sheet]->writeBlank(s.row, s.column, formats[s.format]);
                    },
                    [&](const Width& s) { sheets[s.sheet]->setColumnWidth(s.column, s.width); },
                    [&](const Activate& s) { book.activate(*sheets[s.sheet]); },
                },
                step);
        }
        book.close();
    } catch (const xlsx::XlsxError& error) {
        ADD_FAILURE() << error.what();
    }
}

std::string packageDifferences(const std::filesystem::path& reference,
                               const std::filesystem::path& candidate,
                               const std::vector<KnownDifference>& known)
{
    QStringList arguments{QStringLiteral(XLSX_COMPARE_SCRIPT),
                          QString::fromStdString(reference.string()),
                          QString::fromStdString(candidate.string())};
    for (const KnownDifference& difference : known)
        arguments << QString::fromStdString(difference.reference)
                  << QString::fromStdString(difference.ours);
    QProcess compare;
    compare.start(QStringLiteral(XLSX_TEST_PYTHON), arguments);
    if (!compare.waitForFinished(600'000))
        return "the comparison did not finish";
    const std::string output =
        (compare.readAllStandardOutput() + compare.readAllStandardError()).toStdString();
    return compare.exitCode() == 0 && compare.exitStatus() == QProcess::NormalExit ? std::string()
           : output.empty() ? std::string("the comparison failed")
                            : output;
}

}  // namespace xlsxtest
