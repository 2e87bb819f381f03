// Releases the temporary files libxlsxwriter leaves open. Version 1.1.4 gives every sheet a
// temporary file in constant-memory mode, but workbook_close closes only those of sheets with
// rows, and lxw_workbook_free closes none: a dropped workbook would keep its whole (unlinked)
// sheet data on disk until the program ends.
#pragma once

#include <cstdio>
#include <vector>

#include <sys/types.h>

struct lxw_worksheet;

namespace spreadsheet {

class WriterTempFiles
{
public:
    // Call for every sheet before workbook_close or lxw_workbook_free.
    void remember(lxw_worksheet* sheet);
    // Call after: closes each remembered file that is still open as the same unlinked file.
    void closeLeftOpen();

private:
    struct Entry
    {
        std::FILE* file;
        int descriptor;
        dev_t device;
        ino_t inode;
    };
    std::vector<Entry> mEntries;
};

}  // namespace spreadsheet
