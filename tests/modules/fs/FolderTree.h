// Builders for folder trees in temporary folders, and guards that make the file system refuse
// things even to root.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>

#include <QString>
#include <QStringList>

namespace fstest {

// Creates each folder (relative to root, "/" separated, parents included).
void makeFolders(const std::filesystem::path& root, std::initializer_list<const char*> folders);

// Stores DOS attributes the way Samba does (user.DOSATTRIB = "0x.."); false when the file
// system refuses extended attributes.
bool setDosAttributes(const std::filesystem::path& path, const std::string& hexText);

// The folder as a folder-list entry: its path with a trailing "/".
QString entry(const std::filesystem::path& folder);

// The entries of list that lie below root, as paths relative to root ("" for root itself),
// sorted, to compare with an expected set where the order does not matter.
QStringList relativeSorted(const QStringList& list, const std::filesystem::path& root);

// Drops the capabilities that let root read and search any folder, for the guard's lifetime
// (this thread only), so permission bits deny root as they deny anyone. Does nothing harmful
// for a user without them.
class WithoutOverrideRights
{
public:
    WithoutOverrideRights();
    ~WithoutOverrideRights();
    WithoutOverrideRights(const WithoutOverrideRights&) = delete;
    WithoutOverrideRights& operator=(const WithoutOverrideRights&) = delete;
};

// Lowers the limit of open files to those open now, for the guard's lifetime, so the next
// folder listing fails with "Too many files" (an error that is neither 70 nor 76).
class NoFreeFileHandles
{
public:
    NoFreeFileHandles();
    ~NoFreeFileHandles();
    NoFreeFileHandles(const NoFreeFileHandles&) = delete;
    NoFreeFileHandles& operator=(const NoFreeFileHandles&) = delete;

private:
    unsigned long mSoftLimit = 0;
};

}  // namespace fstest
