// Listing the data sources and drivers of the machine's own ODBC set-up.
#include "components/odbc/OdbcSetup.h"

#include <array>

#include <sqlext.h>

#include "components/odbc/OdbcHandle.h"
#include "components/text/AsciiCase.h"

namespace odbc {

namespace {

// Names and descriptions longer than this are cut by the driver manager; such an entry is
// skipped, since a cut name matches no view's.
constexpr SQLSMALLINT kNameCapacity = 512;
constexpr SQLSMALLINT kAttributesCapacity = 8192;

std::string text(const std::array<SQLCHAR, kNameCapacity>& buffer)
{
    return reinterpret_cast<const char*>(buffer.data());
}

// SQLDrivers gives "KEY=value\0KEY=value\0\0": the value of Driver, the library.
std::string libraryOf(const std::vector<SQLCHAR>& attributes)
{
    const auto* pairs = reinterpret_cast<const char*>(attributes.data());
    std::size_t pos = 0;
    while (pos < attributes.size() && pairs[pos] != '\0') {
        const std::string pair(pairs + pos);
        if (pair.size() > 7 && text::equalsIgnoringAsciiCase(pair.substr(0, 7), "Driver="))
            return pair.substr(7);
        pos += pair.size() + 1;
    }
    return {};
}

// The item whose name (nameOf) is `name` ignoring ASCII case, as the driver manager matches
// the sections of its ini files; null when none is.
template <typename Item, typename NameOf>
const Item* findByName(const std::vector<Item>& items, const std::string& name, NameOf nameOf)
{
    for (const Item& item : items) {
        if (text::equalsIgnoringAsciiCase(nameOf(item), name))
            return &item;
    }
    return nullptr;
}

}  // namespace

OdbcSetup OdbcSetup::read(const std::string& context)
{
    const Handle environment(SQL_HANDLE_ENV, nullptr, context);
    declareOdbc3(environment, context);
    OdbcSetup setup;
    std::array<SQLCHAR, kNameCapacity> name{};
    std::array<SQLCHAR, kNameCapacity> description{};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT descriptionLength = 0;
    for (SQLUSMALLINT direction = SQL_FETCH_FIRST;; direction = SQL_FETCH_NEXT) {
        const SQLRETURN rc =
            SQLDataSources(environment.get(), direction, name.data(), kNameCapacity, &nameLength,
                           description.data(), kNameCapacity, &descriptionLength);
        if (!succeeded(rc))
            break;
        if (nameLength < kNameCapacity)
            setup.dataSources.push_back(text(name));
    }
    std::vector<SQLCHAR> attributes(kAttributesCapacity);
    SQLSMALLINT attributesLength = 0;
    for (SQLUSMALLINT direction = SQL_FETCH_FIRST;; direction = SQL_FETCH_NEXT) {
        attributes.assign(attributes.size(), 0);
        const SQLRETURN rc =
            SQLDrivers(environment.get(), direction, name.data(), kNameCapacity, &nameLength,
                       attributes.data(), kAttributesCapacity, &attributesLength);
        if (!succeeded(rc))
            break;
        if (nameLength < kNameCapacity)
            setup.drivers.push_back({text(name), libraryOf(attributes)});
    }
    return setup;
}

const std::string* OdbcSetup::findDataSource(const std::string& name) const
{
    return findByName(dataSources, name, [](const std::string& listed) { return listed; });
}

const RegisteredDriver* OdbcSetup::findDriver(const std::string& name) const
{
    return findByName(drivers, name, [](const RegisteredDriver& driver) { return driver.name; });
}

}  // namespace odbc
