// The private folder where finished workbooks wait for the spreadsheet program, and where the
// writer keeps its temporary files (about 600 MB per million rows of ten short columns).
#pragma once

#include <filesystem>

namespace spreadsheet {

// $XDG_CACHE_HOME/quorvane when XDG_CACHE_HOME is an absolute path, else ~/.cache/quorvane.
std::filesystem::path cacheFolderPath();

// Creates the folder if needed with mode 0700, tightens a looser mode, and removes workbook
// files of ours older than a day. Throws SpreadsheetError when the folder cannot be created or
// is not a folder owned by this user (a link, say). Returns the folder.
std::filesystem::path openCacheFolder();

// Creates a new, empty, uniquely named workbook file (mode 0600) in folder and returns its path.
// Throws SpreadsheetError when no file can be created there.
std::filesystem::path reserveWorkbookFile(const std::filesystem::path& folder);

}  // namespace spreadsheet
