// The Windows attribute word of a folder, built from what the file system offers here: the
// folder itself, a link, a dot name, and the DOS attributes Samba (user.DOSATTRIB) and NTFS
// drivers (system.ntfs_attrib_be) keep in extended attributes.
#pragma once

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace fs {

enum FileAttribute : std::uint32_t {
    ReadOnly = 1,
    Hidden = 2,
    System = 4,
    Directory = 16,
    Archive = 32,
    ReparsePoint = 1024,  // a symbolic link (a junction or link on Windows)
    Compressed = 2048,
};

// The words of folders that are never searched: hidden + system + directory (a recycle bin),
// and the same as a reparse point (the old profile junctions). Compared for equality with the
// whole word: any further bit (archive, read-only, ...) makes the folder searchable again.
constexpr std::uint32_t kHiddenSystemFolder = Hidden | System | Directory;               // 22
constexpr std::uint32_t kHiddenSystemLink = Hidden | System | Directory | ReparsePoint;  // 1046

// The attribute word of the folder at path (a folder-list entry, trailing "/" allowed):
// Directory when it is (or leads to) a folder, ReparsePoint when it is a link, Hidden for a
// name starting with ".", and ReadOnly, Hidden, System, Archive, ReparsePoint and Compressed
// from the stored DOS attributes when the file system keeps them.
// Throws FileSystemError when the path cannot be examined.
std::uint32_t folderAttributes(const QString& path);

// The DOS attributes in a user.DOSATTRIB value as Samba writes it: the text "0x" and hex
// digits, ended by a NUL or the value's end (a binary record may follow). nullopt otherwise.
std::optional<std::uint32_t> dosAttributesFromSamba(QByteArrayView value);

// The attributes in system.ntfs_attrib_be (four bytes, big-endian). nullopt otherwise.
std::optional<std::uint32_t> dosAttributesFromNtfs(QByteArrayView value);

// True for the root of the file system ("/", or a path that cleans to it, such as "//").
bool isRootFolder(const QString& path);

// Whether the walk searches a folder: always for a root, otherwise unless its word is
// exactly kHiddenSystemFolder or kHiddenSystemLink.
bool isSearchableFolder(bool isRoot, std::uint32_t attributes);

}  // namespace fs
