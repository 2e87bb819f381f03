// Feeds bytes to the ODBC connect-string reader and writer as a remote view's Connection
// object: the bytes split at the first two 0x00 give ConnectString, DataSource and Password
// (the password marked with a leading 0x01, a byte no other part may hold, so a 0x01 in a
// message can only come from the password).
// The string built must split back into the attributes of the stored string (keys trimmed,
// values unquoted) with DSN put first and PWD added only where the stored string has none;
// the data source a message names must never show that password.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "components/odbc/OdbcConnectString.h"

namespace {

using database::odbc::ConnectAttribute;

[[noreturn]] void finding(const char* what, const vfp::ContainerConnection& connection)
{
    std::fprintf(stderr, "%s\nconnect string: %s\ndata source: %s\n", what,
                 connection.connectString.c_str(), connection.dataSource.c_str());
    std::abort();
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
}

bool has(const std::vector<ConnectAttribute>& attributes, const std::vector<std::string>& keys)
{
    for (const ConnectAttribute& attribute : attributes)
        for (const std::string& key : keys)
            if (upper(attribute.first) == key)
                return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t first = bytes.find('\0');
    const std::size_t second = first == std::string::npos ? first : bytes.find('\0', first + 1);
    vfp::ContainerConnection connection;
    connection.name = "fuzz";
    connection.connectString = bytes.substr(0, first);
    if (first != std::string::npos)
        connection.dataSource = bytes.substr(first + 1, second - first - 1);
    if (second != std::string::npos)
        connection.password = "\x01" + bytes.substr(second + 1);
    for (const std::string* text : {&connection.dataSource, &connection.password})
        if (text->find('\0') != std::string::npos)
            return 0;  // container properties end at their 0x00
    if (connection.connectString.find('\x01') != std::string::npos ||
        connection.dataSource.find('\x01') != std::string::npos)
        return 0;

    const std::vector<ConnectAttribute> stored =
        database::odbc::splitConnectString(connection.connectString);
    const std::string built = database::odbc::connectStringOf(connection);
    const std::vector<ConnectAttribute> parts = database::odbc::splitConnectString(built);
    std::vector<ConnectAttribute> expected;
    if (!has(stored, {"DSN", "DRIVER", "FILEDSN"})) {
        if (connection.dataSource.empty()) {
            if (!built.empty())
                finding("built a string without a data source", connection);
            return 0;
        }
        expected.push_back({"DSN", connection.dataSource});
    }
    expected.insert(expected.end(), stored.begin(), stored.end());
    if (!connection.password.empty() && !has(stored, {"PWD", "PASSWORD"}))
        expected.push_back({"PWD", connection.password});
    if (parts != expected)
        finding("the built string does not split into the stored attributes", connection);

    const std::string shown = database::odbc::dataSourceText(connection);
    if (shown.find('\x01') != std::string::npos)
        finding("a message would show the password", connection);
    return 0;
}
