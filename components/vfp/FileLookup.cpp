// Case-insensitive file lookup: FoxPro files come from Windows, where "Orders.DBF",
// "orders.dbf" and a container's "ORDERS.dbf" are one file.
#include "components/vfp/FileLookup.h"

#include <system_error>

#include <QString>

namespace vfp {
namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    const QString left = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
    const QString right = QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size()));
    return left.compare(right, Qt::CaseInsensitive) == 0;
}

}  // namespace

std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name)
{
    std::error_code error;
    const std::filesystem::path exact = folder / std::filesystem::path(std::string(name));
    if (std::filesystem::exists(exact, error))
        return exact;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error)
        return std::nullopt;
    for (const auto& entry : entries) {
        const std::string candidate = entry.path().filename().string();
        if (sameIgnoringCase(candidate, name))
            return folder / candidate;
    }
    return std::nullopt;
}

std::pair<std::filesystem::path, bool> resolveStoredPath(const std::filesystem::path& folder,
                                                         std::string_view stored)
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
        const auto match = findIgnoringCase(found, part);
        if (match)
            found = *match;
        else
            exists = false;
    }
    return {exists ? found.lexically_normal() : written.lexically_normal(), exists};
}

}  // namespace vfp
