// Closing libxlsxwriter's leftover temporary files. The descriptor is checked against the
// file's device and inode first: a library that closed the file itself is left alone.
#include "components/spreadsheet/WriterTempFiles.h"

#include <sys/stat.h>

#include <xlsxwriter.h>

namespace spreadsheet {

void WriterTempFiles::remember(lxw_worksheet* sheet)
{
    if (!sheet || !sheet->optimize_tmpfile)
        return;
    const int descriptor = fileno(sheet->optimize_tmpfile);
    struct stat status
    {
    };
    if (descriptor >= 0 && fstat(descriptor, &status) == 0)
        mEntries.push_back({sheet->optimize_tmpfile, descriptor, status.st_dev, status.st_ino});
}

void WriterTempFiles::closeLeftOpen()
{
    for (const Entry& entry : mEntries) {
        struct stat status
        {
        };
        if (fstat(entry.descriptor, &status) == 0 && status.st_dev == entry.device &&
            status.st_ino == entry.inode && status.st_nlink == 0)
            std::fclose(entry.file);
    }
    mEntries.clear();
}

}  // namespace spreadsheet
