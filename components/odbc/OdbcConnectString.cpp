// Reading stored ODBC connect strings (KEY=value pairs separated by ";", a value in braces when
// it holds a ";", the driver manager's own rule) and building the one we send: plain pairs only,
// with values no driver can read as more than one attribute.
#include "components/odbc/OdbcConnectString.h"

#include <algorithm>
#include <initializer_list>

#include "components/odbc/ConnectRules.h"
#include "components/rows/DatabaseError.h"
#include "components/text/AsciiCase.h"

namespace odbc {

namespace {

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isKey(const ConnectAttribute& attribute, std::initializer_list<const char*> keys)
{
    const std::string key = text::upperAscii(attribute.first);
    return std::any_of(keys.begin(), keys.end(), [&](const char* wanted) { return key == wanted; });
}

const std::string* valueOf(const std::vector<ConnectAttribute>& attributes,
                           std::initializer_list<const char*> keys)
{
    for (const ConnectAttribute& attribute : attributes) {
        if (isKey(attribute, keys))
            return &attribute.second;
    }
    return nullptr;
}

[[noreturn]] void refuse(const std::string& why)
{
    throw rows::DatabaseError(why);
}

void checkControlCharacters(const std::string& text, const char* what)
{
    const auto control = std::find_if(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control != text.end())
        refuse(std::string("has a control character in its ") + what + " (byte " +
               std::to_string(control - text.begin() + 1) + ")");
}

void checkValue(const ConnectAttribute& attribute)
{
    if (attribute.second.find_first_of(";{}") != std::string::npos)
        refuse("sets " + attribute.first +
               " to a value holding \";\", \"{\" or \"}\", which drivers split differently");
}

class Builder
{
public:
    void add(const std::string& key, const std::string& value)
    {
        checkValue({key, value});
        mLogin.connectString += key + "=" + value + ";";
        const bool secret = text::upperAscii(key) == "PWD";
        mLogin.shown += key + "=" + (secret ? std::string("***") : value) + ";";
    }

    // UID and PWD from the stored string, else the Connection object's UserId and Password.
    void addLogin(const vfp::ContainerConnection& connection,
                  const std::vector<ConnectAttribute>& stored)
    {
        const std::string* user = valueOf(stored, {"UID"});
        const std::string* password = valueOf(stored, {"PWD"});
        if (user == nullptr && !connection.userId.empty())
            user = &connection.userId;
        if (password == nullptr && !connection.password.empty())
            password = &connection.password;
        if (user != nullptr)
            add("UID", *user);
        if (password != nullptr)
            add("PWD", *password);
    }

    ServerLogin done()
    {
        if (mLogin.connectString.size() > kMaxConnectStringLength)
            refuse("would send a connect string of " + std::to_string(mLogin.connectString.size()) +
                   " bytes; Quorvane sends none over " + std::to_string(kMaxConnectStringLength));
        return std::move(mLogin);
    }

    ServerLogin mLogin;
};

void checkRules(const ConnectAttribute& attribute, bool sqliteDriver)
{
    if (const std::string why = refusedAttribute(attribute.first, attribute.second, sqliteDriver);
        !why.empty())
        refuse("sets " + attribute.first + ", which " + why);
}

void checkNoRepeats(const std::vector<ConnectAttribute>& stored)
{
    for (std::size_t i = 0; i < stored.size(); ++i) {
        for (std::size_t k = 0; k < i; ++k) {
            if (text::equalsIgnoringAsciiCase(stored[i].first, stored[k].first))
                refuse("sets " + stored[i].first +
                       " twice, which drivers and the driver manager read differently");
        }
    }
}

bool isSqliteDriver(const RegisteredDriver& driver)
{
    return text::upperAscii(driver.name + " " + driver.library).find("SQLITE") != std::string::npos;
}

ServerLogin fromDataSource(const vfp::ContainerConnection& connection,
                           const std::vector<ConnectAttribute>& stored, const std::string& name,
                           const OdbcSetup& setup)
{
    for (const ConnectAttribute& attribute : stored) {
        if (isKey(attribute, {"DSN", "UID", "PWD"}))
            continue;
        checkRules(attribute, false);
        refuse("sets " + attribute.first + " beside the data source " + name +
               "; nothing may override a data source's own settings");
    }
    const std::string* listed = setup.findDataSource(name);
    if (listed == nullptr)
        refuse("names the data source " + name +
               ", which is not defined on this machine (odbc.ini lists the data sources)");
    Builder built;
    built.add("DSN", *listed);
    built.mLogin.dataSource = *listed;
    built.addLogin(connection, stored);
    return built.done();
}

ServerLogin fromDriver(const vfp::ContainerConnection& connection,
                       const std::vector<ConnectAttribute>& stored, const std::string& name,
                       const OdbcSetup& setup)
{
    if (name.find('/') != std::string::npos)
        refuse("names the driver " + name +
               ", a path; only drivers registered by name in odbcinst.ini are used");
    const RegisteredDriver* driver = setup.findDriver(name);
    if (driver == nullptr)
        refuse("names the driver " + name +
               ", which is not registered on this machine (odbcinst.ini lists the drivers)");
    Builder built;
    built.add("DRIVER", driver->name);
    for (const ConnectAttribute& attribute : stored) {
        if (isKey(attribute, {"DRIVER", "UID", "PWD"}))
            continue;
        if (isKey(attribute, {"DSN"}))
            refuse("names both a driver and the data source " + attribute.second);
        checkRules(attribute, isSqliteDriver(*driver));
        built.add(attribute.first, attribute.second);
    }
    built.addLogin(connection, stored);
    return built.done();
}

}  // namespace

std::vector<ConnectAttribute> splitConnectString(const std::string& text)
{
    std::vector<ConnectAttribute> attributes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t equals = text.find('=', pos);
        const std::size_t semicolon = text.find(';', pos);
        if (equals == std::string::npos || (semicolon != std::string::npos && semicolon < equals)) {
            if (semicolon == std::string::npos)
                break;
            pos = semicolon + 1;  // no "=" before the next ";": not an attribute
            continue;
        }
        ConnectAttribute attribute{trimmed(text.substr(pos, equals - pos)), {}};
        pos = equals + 1;
        if (pos < text.size() && text[pos] == '{') {
            ++pos;
            while (pos < text.size()) {
                if (text[pos] == '}') {
                    if (pos + 1 < text.size() && text[pos + 1] == '}') {
                        attribute.second += '}';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                attribute.second += text[pos++];
            }
            const std::size_t end = text.find(';', pos);
            pos = end == std::string::npos ? text.size() : end + 1;
        } else {
            const std::size_t end = text.find(';', pos);
            attribute.second = text.substr(pos, end == std::string::npos ? end : end - pos);
            pos = end == std::string::npos ? text.size() : end + 1;
        }
        if (!attribute.first.empty())
            attributes.push_back(std::move(attribute));
    }
    return attributes;
}

ServerLogin buildConnectString(const vfp::ContainerConnection& connection, const OdbcSetup& setup)
{
    if (connection.connectString.size() > kMaxConnectStringLength)
        refuse("has a connect string of " + std::to_string(connection.connectString.size()) +
               " bytes; Quorvane sends none over " + std::to_string(kMaxConnectStringLength));
    checkControlCharacters(connection.connectString, "connect string");
    checkControlCharacters(connection.dataSource, "data source");
    checkControlCharacters(connection.userId, "user name");
    checkControlCharacters(connection.password, "password");
    const std::vector<ConnectAttribute> stored = splitConnectString(connection.connectString);
    checkNoRepeats(stored);
    if (const std::string* dsn = valueOf(stored, {"DSN"}); dsn != nullptr) {
        if (valueOf(stored, {"DRIVER"}) != nullptr)
            refuse("names both the data source " + *dsn + " and a driver");
        return fromDataSource(connection, stored, *dsn, setup);
    }
    if (const std::string* driver = valueOf(stored, {"DRIVER"}); driver != nullptr)
        return fromDriver(connection, stored, *driver, setup);
    if (connection.dataSource.empty()) {
        for (const ConnectAttribute& attribute : stored)
            checkRules(attribute, false);
        refuse("names no data source");
    }
    return fromDataSource(connection, stored, connection.dataSource, setup);
}

std::string dataSourceText(const vfp::ContainerConnection& connection, const ServerLogin& login)
{
    std::string text = login.dataSource.empty() ? "the connect string " + login.shown
                                                : "the data source " + login.dataSource;
    if (!connection.name.empty() &&
        !text::equalsIgnoringAsciiCase(connection.name, login.dataSource))
        text += " (connection " + connection.name + ")";
    return text;
}

}  // namespace odbc
