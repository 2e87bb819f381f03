// The walk of a folder tree and the listing of matching files in one folder.
//
//     QStringList folders{QStringLiteral("/data/free/")};
//     const fs::TreeBounds tree{folders};
//     fs::GetSubDirectories2016(folders, true, report);  // "/data/free/", then every folder below
//     for (QString folder : folders) {
//         folder.chop(1);
//         const fs::FileNameArray names =
//             fs::GetFilesInFolder(folder, QStringLiteral("*.dbf"), tree);
//         for (const QString& name : names.names()) ...
//     }
#pragma once

#include <QString>
#include <QStringList>

#include "modules/app/Failure.h"
#include "modules/fs/TreeBounds.h"

namespace fs {

// The code page whose codes decide which folder names the walk takes.
inline constexpr const char kAnsiCodePage[] = "windows-1252";

// Longest folder path the walk lists, and longest sub-folder name it takes (exclusive).
constexpr qsizetype kMaxPath = 260;

// Extends folders (full paths ending in "/") with every folder below them, level by level:
// first all sub-folders of the listed folders, each folder's in name order (isListedBefore,
// the order NTFS lists them in), then theirs, and so on when recurse is set (one level
// otherwise). A folder whose attribute word is exactly 22 or 1046 is neither returned nor
// searched, unless it is the root "/"; a name that HasUnusableCharacters rejects or holds "?"
// is not taken; a folder reached a second time (through a link or a second mount) is not taken
// again. A symbolic link is taken only when it leads to a folder inside the trees of the
// folders given (TreeBounds of them): a link out of them is neither returned nor searched. A
// listed folder that may not be listed, has gone, or is no longer the folder its parent listed
// (swapped for another or for a link meanwhile) leaves the list; when a listing fails part
// way, the sub-folders found before the failure are kept and searched, the rest of that folder
// is not. Failures before the first listing and after the descent go to report as they happen,
// titled with the application title and located
// "in PellanTitle2021/08/31.AddFolder.GetSubDirectories2016 ", and are returned; nothing is
// thrown. Lets pending window events run while it works.
app::Failures GetSubDirectories2016(QStringList& folders, bool recurse, app::FailureReport& report);

// True when a folder name has a character whose code in kAnsiCodePage is below 32, from 127
// to 159, or 63 ("?"); a character the code page cannot encode reads as "?". A name decoded
// from bytes that are not valid UTF-8 keeps them as lone surrogates (files::fileNameText),
// which no ANSI code page encodes, so it is rejected too. False for an empty name.
bool HasUnusableCharacters(const QString& name);

// True when path names a regular file that can be opened without asking for any access
// right: what opening with O_PATH checks (it reads nothing, needs no read permission on the file
// and never waits on a FIFO or device). A folder, FIFO, device, socket, a link that leads nowhere
// and a path that cannot be resolved give false. Never throws.
bool IsExistingFile(const QString& path);

// The bare names a folder query found, shaped as the array the catalogue walks: bounds 1 to n
// when there are matches, and the single index 0 holding an empty text when there are none.
class FileNameArray
{
public:
    FileNameArray() = default;
    explicit FileNameArray(QStringList names) : mNames(std::move(names)) {}

    int lowerBound() const { return mNames.isEmpty() ? 0 : 1; }
    int upperBound() const { return static_cast<int>(mNames.size()); }
    // The name at index lowerBound()..upperBound(); throws std::out_of_range outside the bounds.
    QString at(int index) const;
    // The matches in the order found; empty when there are none.
    const QStringList& names() const { return mNames; }

private:
    QStringList mNames;
};

// The names in folder (with or without a trailing "/") that match pattern ("*" any run, "?"
// one character, letters ignoring case: "*.dbf" finds Customer.DBF) and for which
// IsExistingFile holds; hidden files included, folders never; a symbolic link only when the file
// it leads to lies in tree (TreeBounds::holdsFile). In name order (isListedBefore).
// Throws FileSystemError when the folder cannot be listed.
FileNameArray GetFilesInFolder(const QString& folder, const QString& pattern,
                               const TreeBounds& tree);

// Whether name matches pattern as GetFilesInFolder matches it.
bool matchesFilePattern(QStringView name, QStringView pattern);

}  // namespace fs
