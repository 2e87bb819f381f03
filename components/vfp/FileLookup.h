// Finding files the way Windows would: names compared ignoring case, paths stored by FoxPro
// with '\' separators resolved part by part.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include <QHash>
#include <QString>

namespace vfp {

// name (UTF-8) with Unicode case folding: the key under which names equal ignoring case meet.
QString foldedName(std::string_view name);

// Looks entries up ignoring case, listing each folder at most once: a container's members,
// resolved one after another, list their folder once instead of once per member. Answers from
// what a folder held when it was first listed; keep one only as long as that is fresh enough.
class CaseBlindFolders
{
public:
    // The entry of folder named `name`, compared ignoring case (Unicode case folding; an
    // exact match wins, else the first the folder lists); nullopt when there is none or the
    // folder cannot be listed.
    std::optional<std::filesystem::path> find(const std::filesystem::path& folder,
                                              std::string_view name);

    // folder joined with a relative path as FoxPro stores it ("..\data\Orders.DBF"), each
    // part matched ignoring case. When some part is missing, the path as written (with '/'
    // separators) and false.
    std::pair<std::filesystem::path, bool> resolve(const std::filesystem::path& folder,
                                                   std::string_view stored);

private:
    // Per folder: each entry's case-folded name to the first entry of that name.
    std::map<std::filesystem::path, QHash<QString, std::string>> mListings;
};

// CaseBlindFolders::find and resolve, for one lookup.
std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);
std::pair<std::filesystem::path, bool> resolveStoredPath(const std::filesystem::path& folder,
                                                         std::string_view stored);

}  // namespace vfp
