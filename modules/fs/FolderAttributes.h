// The Windows attribute word of a folder, built from what the file system offers here: the
// folder itself, a link, a dot name, and the DOS attributes Samba (user.DOSATTRIB) and NTFS
// drivers (system.ntfs_attrib_be) keep in extended attributes.
#pragma once

#include <sys/types.h>
#include <cstdint>
#include <map>
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

// What lstat (and stat, for a link) found at a folder path.
struct FolderStatus
{
    bool isLink = false;
    bool isDirectory = false;  // the folder itself, or where the link leads
    dev_t device = 0;
};

// Looks at path (a folder-list entry, trailing "/" allowed) without following a last link.
// Throws FileSystemError when it, or where its link leads, cannot be examined.
FolderStatus folderStatus(const QString& path);

// Builds attribute words. Remembers, per device, which kinds of stored attributes the file
// system does not offer at all, so a walk asks each file system only what it can answer.
class AttributeReader
{
public:
    // The attribute word of the folder at path: Directory when it is (or leads to) a folder,
    // ReparsePoint when it is a link, Hidden for a name starting with ".", and ReadOnly,
    // Hidden, System, Archive, ReparsePoint and Compressed from the stored DOS attributes
    // when the file system keeps them. status: what folderStatus(path) found.
    std::uint32_t word(const QString& path, const FolderStatus& status);

private:
    std::optional<std::uint32_t> storedDosAttributes(const QByteArray& path, dev_t device);

    std::map<dev_t, unsigned> mUnsupported;  // per device: bits of the xattr names refused
};

// folderAttributes(path): the word of one folder, examined afresh.
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
