// Reads written workbooks back with LibreOffice, the program users see them in: every sheet of
// every workbook converted to CSV in one headless run (one start of LibreOffice costs seconds,
// so tests batch their workbooks).
#pragma once

#include <filesystem>
#include <vector>

#include "tests/support/SheetReaders.h"

namespace testsupport {

using LibreOfficeSheet = SheetRows;  // cells as LibreOffice shows them
using LibreOfficeBook = SheetBook;   // by sheet name

// True when LibreOffice (soffice) is installed.
bool haveLibreOffice();

// Every sheet of each workbook, in the order given. Fails the current test (and gives empty
// books) when LibreOffice cannot convert them.
std::vector<LibreOfficeBook> readWithLibreOffice(const std::vector<std::filesystem::path>& files);

}  // namespace testsupport

// Skips the current test, saying why, when LibreOffice is not installed.
#define QUORVANE_REQUIRE_LIBREOFFICE()                                                         \
    do {                                                                                       \
        if (!testsupport::haveLibreOffice())                                                   \
            GTEST_SKIP() << "LibreOffice (soffice) is not installed: tools/setup.sh installs " \
                            "it";                                                              \
    } while (false)
