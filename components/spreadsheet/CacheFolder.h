// The private folder where finished workbooks wait for the spreadsheet program.
#pragma once

#include <filesystem>
#include <string>

namespace spreadsheet {

// $XDG_CACHE_HOME/quorvane when XDG_CACHE_HOME is an absolute path, else ~/.cache/quorvane.
std::filesystem::path cacheFolderPath();

// Creates the folder if needed with mode 0700, tightens a looser mode, and removes workbook
// files of ours older than a day. Throws SpreadsheetError when the folder cannot be created or
// is not a folder owned by this user (a link, say). Returns the folder.
std::filesystem::path openCacheFolder();

// Names of the finished workbooks there: the prefix, six random characters, the suffix.
// "Quorvane-20240131-101500-" (the local time now).
std::string workbookFilePrefix();
inline constexpr char kWorkbookFileSuffix[] = ".xlsx";

}  // namespace spreadsheet
