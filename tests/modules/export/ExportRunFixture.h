// The fixture of the export run tests: real tables in a temporary folder, a list, the
// in-memory spreadsheet application, and recorders for the progress and the message boxes.
#pragma once

#include <gtest/gtest.h>

#include "modules/export/ExportRun.h"
#include "tests/modules/export/ExportTestData.h"
#include "tests/support/FakeSpreadsheet.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/TempDir.h"

namespace exporttest {

using Rows = std::vector<std::vector<std::string>>;

inline const QString kLocation = QStringLiteral("in Quorvane2021/08/31.Form2.PushButton5_Click ");

class ExportRunTest : public ::testing::Test
{
protected:
    exporting::ExportOutcome run(int rowsPerSheet = spreadsheet::kMaxRows)
    {
        foxpro::ConnectionSettings settings;
        settings.isContainer = false;
        settings.folderPath = QString::fromStdString(dir.path().string());
        exporting::ExportRequest request{settings, list.items, spreadsheet.factory(), rowsPerSheet};
        return exporting::runExport(request, progress, messages.reports());
    }

    // Every row of a sheet from row 1 to its last.
    static Rows rows(const fakes::FakeSheet& sheet)
    {
        Rows all;
        for (int r = 1; r <= sheet.lastRow(); ++r)
            all.push_back(sheet.row(r));
        return all;
    }

    // The report lines: "LINE: first line of the description".
    std::vector<std::string> reports() const
    {
        std::vector<std::string> lines;
        for (const auto& box : messages.shown) {
            EXPECT_EQ(box.style, 48);
            EXPECT_EQ(box.title, QStringLiteral("Application Error"));
            const QString text = box.text;
            const int at = int(text.indexOf(kLocation + QStringLiteral("at line ")));
            EXPECT_GE(at, 2) << text.toStdString();
            const QString line =
                text.mid(at + kLocation.size() + 8).section(QLatin1Char('\r'), 0, 0);
            lines.push_back(line.toStdString() + ": " + text.left(at - 2).toStdString());
        }
        return lines;
    }

    testsupport::TempDir dir;
    VectorList list;
    fakes::FakeSpreadsheet spreadsheet;
    RecordingProgress progress;
    testsupport::RecordingMessageBox messages;
};

}  // namespace exporttest
