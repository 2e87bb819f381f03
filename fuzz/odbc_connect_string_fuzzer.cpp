// Feeds bytes to what a remote view sends its server: the connect string we build of its
// Connection object and the one-statement check of its SQL. The bytes split at the first three
// 0x00 give ConnectString, DataSource, Password (marked with a leading 0xFF, a byte no other
// part may hold, so a 0xFF in what is shown can only come from the password) and the SQL.
// A built string must hold only what the machine's set-up allows: at most 1,024 bytes of plain
// KEY=value; pairs that split back as built, led by a listed data source (then only UID and
// PWD) or a registered driver (then no refused attribute), no key twice; what the user is shown
// never holds the password. SQL found to be one statement must stop being one when a second
// statement follows it on a new line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "components/odbc/ConnectRules.h"
#include "components/odbc/OdbcConnectString.h"
#include "components/odbc/SingleStatement.h"
#include "components/rows/DatabaseError.h"

namespace {

using odbc::ConnectAttribute;

[[noreturn]] void finding(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s\n%s\n", what, detail.c_str());
    std::abort();
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
}

const odbc::OdbcSetup kSetup{{"sales", "CURSADM", "x"},
                             {{"SQL Server", "libtdsodbc.so"}, {"SQLite3", "libsqlite3odbc.so"}}};

void checkBuilt(const vfp::ContainerConnection& connection)
{
    odbc::ServerLogin login;
    try {
        login = odbc::buildConnectString(connection, kSetup);
    } catch (const rows::DatabaseError&) {
        return;
    }
    const std::string& sent = login.connectString;
    if (sent.size() > odbc::kMaxConnectStringLength)
        finding("built a connect string over the limit", sent);
    const std::vector<ConnectAttribute> parts = odbc::splitConnectString(sent);
    std::string rebuilt;
    for (const ConnectAttribute& part : parts)
        rebuilt += part.first + "=" + part.second + ";";
    if (rebuilt != sent || parts.empty())
        finding("the built string does not split back as built", sent);
    const std::string lead = upper(parts.front().first);
    const bool sqlite = upper(parts.front().second).find("SQLITE") != std::string::npos;
    if (lead == "DSN" ? kSetup.findDataSource(parts.front().second) == nullptr
                      : lead != "DRIVER" || kSetup.findDriver(parts.front().second) == nullptr)
        finding("the built string leads with nothing the machine lists", sent);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string key = upper(parts[i].first);
        for (std::size_t k = 0; k < i; ++k) {
            if (upper(parts[k].first) == key)
                finding("the built string sets a key twice", sent);
        }
        for (const char c : parts[i].second) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                finding("the built string holds a control character", sent);
        }
        if (i == 0 || key == "UID" || key == "PWD")
            continue;
        if (lead == "DSN")
            finding("an attribute overrides the data source", sent);
        if (!odbc::refusedAttribute(parts[i].first, parts[i].second, sqlite).empty())
            finding("a refused attribute is sent", sent);
    }
    if (login.shown.find('\xFF') != std::string::npos ||
        odbc::dataSourceText(connection, login).find('\xFF') != std::string::npos)
        finding("the user would be shown the password", login.shown);
}

void checkStatement(const std::string& sql)
{
    if (!odbc::whyNotOneStatement(sql).empty())
        return;
    if (odbc::whyNotOneStatement(sql + "\n;DELETE FROM t").empty())
        finding("a second statement passes after one", sql);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            break;
        parts.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(bytes.substr(start));
    parts.resize(4);
    vfp::ContainerConnection connection;
    connection.name = "fuzz";
    connection.connectString = parts[0];
    connection.dataSource = parts[1];
    if (!parts[2].empty())
        connection.password = "\xFF" + parts[2];
    if (connection.connectString.find('\xFF') == std::string::npos &&
        connection.dataSource.find('\xFF') == std::string::npos)
        checkBuilt(connection);
    checkStatement(parts[3]);
    return 0;
}
