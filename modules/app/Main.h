// Shared helpers of the Main module: file tests, the application title and version, the
// program folder.
#pragma once

#include <optional>

#include <QString>

namespace app {

// The product name; the application title is derived from it.
inline constexpr const char kProductName[] = "Quorvane";

// The release the build was made from: the project's version ("0.1.0"), for --version.
const char* productVersion();

// True when the path's modification time can be read; false on any failure (missing, empty,
// invalid). Never throws.
bool FileExists(const QString& path);

// True when the path exists and is a directory, false when it exists and is not, and
// std::nullopt (Empty) when its attributes cannot be read. Never throws.
std::optional<bool> IsFolder(const QString& path);

// Derives the application title from kProductName: cut before the last space, and again
// while longer than 40 characters; a name without a space stays whole.
void SetAppTitle();

// Pure form of the title rule, for tests.
QString appTitleFor(const QString& productName);

// The title every message box without its own title shows ("Quorvane" until set otherwise).
QString AppTitle();

// The folder the program runs from (where Samples, x/o.cjs and HAND-M.CUR are found),
// without a trailing separator. Tests may override it.
QString programFolder();
void setProgramFolderForTesting(const QString& folder);

// Ends the program at once: no window closes, no further handler runs (settings are written
// as they change, so nothing is lost). Used when a window is unloaded.
[[noreturn]] void EndProgram();

}  // namespace app
