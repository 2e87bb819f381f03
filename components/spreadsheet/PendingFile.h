// A workbook file while it is written: created without a name (O_TMPFILE) in the folder where
// it will stay, written through the descriptor held here, and given its name only once
// complete. A run that ends early, even by kill -9, leaves nothing behind, and nothing swapped
// in at the name meanwhile is ever written. Where the file system has no unnamed files, a
// hidden name (".quorvane-XXXXXX.tmp") stands in until then, removed when the file is dropped.
//
//     spreadsheet::PendingFile file{folder};
//     write(file.descriptor(), ...);
//     file.replace("orders.xlsx");   // or nameUniquely(...); otherwise the destructor drops it
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace spreadsheet {

class PendingFile
{
public:
    // The new, empty file, with the permissions a new file gets under the umask. Throws
    // SpreadsheetError naming the folder when no file can be created there.
    explicit PendingFile(const std::filesystem::path& folder);
    // Drops the file unless it was named.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    int descriptor() const { return mDescriptor; }
    const std::filesystem::path& folder() const { return mFolderPath; }

    // Gives the complete file the permissions and a new name prefix + 6 random letters and
    // digits + suffix in the folder, never taking a name that exists. Returns its path.
    // Throws SpreadsheetError when it cannot be named.
    std::filesystem::path nameUniquely(std::string_view prefix, std::string_view suffix,
                                       mode_t permissions);

    // Flushes the complete file to disk (so a write error the disk reports only now is not
    // missed) and puts it in place of `name` in the folder in one step, replacing the file there
    // and keeping that file's permissions. A link at the name is replaced, not followed. Throws
    // SpreadsheetError naming the file when it cannot be written or named; the folder is then
    // as it was.
    void replace(const std::string& name);

private:
    void create();
    // Links the file in under name; false when the name is taken.
    bool link(const std::string& name);
    std::string randomName(std::string_view prefix, std::string_view suffix) const;
    [[noreturn]] void fail(const std::string& file, int error) const;

    std::filesystem::path mFolderPath;
    int mFolder = -1;      // the folder, opened once: later steps do not look its path up again
    int mDescriptor = -1;  // the file
    std::string mTemporaryName;  // the stand-in name where unnamed files are not supported
    bool mNamed = false;
};

}  // namespace spreadsheet
