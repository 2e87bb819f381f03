// Finding files the way Windows would: names compared ignoring case, paths stored by FoxPro
// with '\' separators resolved part by part.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vfp {

// The entry of folder named `name`, compared ignoring case (an exact match wins); nullopt when
// there is none or the folder cannot be listed.
std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);

// folder joined with a relative path as FoxPro stores it ("..\data\Orders.DBF"), each part
// matched ignoring case. When some part is missing, the path as written (with '/' separators)
// and false.
std::pair<std::filesystem::path, bool> resolveStoredPath(const std::filesystem::path& folder,
                                                         std::string_view stored);

}  // namespace vfp
