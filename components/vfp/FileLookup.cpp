// Case-insensitive file lookup: FoxPro files come from Windows, where "Orders.DBF",
// "orders.dbf" and a container's "ORDERS.dbf" are one file.
#include "components/vfp/FileLookup.h"

#include <system_error>

namespace vfp {

QString foldedName(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toCaseFolded();
}

std::optional<std::filesystem::path> CaseBlindFolders::find(const std::filesystem::path& folder,
                                                            std::string_view name)
{
    std::error_code error;
    const std::filesystem::path exact = folder / std::filesystem::path(std::string(name));
    if (std::filesystem::exists(exact, error))
        return exact;
    auto listing = mListings.find(folder);
    if (listing == mListings.end()) {
        listing = mListings.emplace(folder, QHash<QString, std::string>()).first;
        for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end;
             !error && it != end; it.increment(error)) {
            std::string candidate = it->path().filename().string();
            if (const QString key = foldedName(candidate); !listing->second.contains(key))
                listing->second.insert(key, std::move(candidate));  // the first listed stays
        }
    }
    const auto found = listing->second.constFind(foldedName(name));
    if (found == listing->second.cend())
        return std::nullopt;
    return folder / *found;
}

std::pair<std::filesystem::path, bool> CaseBlindFolders::resolve(
    const std::filesystem::path& folder, std::string_view stored)
{
    std::filesystem::path found = folder;
    std::filesystem::path written = folder;
    bool exists = true;
    std::size_t start = 0;
    while (start <= stored.size()) {
        std::size_t end = stored.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = stored.size();
        const std::string_view part = stored.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        written /= std::string(part);
        if (!exists)
            continue;
        if (part == "..") {
            found /= "..";
            continue;
        }
        const auto match = find(found, part);
        if (match)
            found = *match;
        else
            exists = false;
    }
    return {exists ? found.lexically_normal() : written.lexically_normal(), exists};
}

std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name)
{
    return CaseBlindFolders().find(folder, name);
}

std::pair<std::filesystem::path, bool> resolveStoredPath(const std::filesystem::path& folder,
                                                         std::string_view stored)
{
    return CaseBlindFolders().resolve(folder, stored);
}

}  // namespace vfp
