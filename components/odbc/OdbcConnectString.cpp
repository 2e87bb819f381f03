// Reading and writing ODBC connect strings: KEY=value pairs separated by ";", a value in
// braces when it holds a ";" (the driver manager's own rule).
#include "components/odbc/OdbcConnectString.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace database::odbc {

namespace {

std::string upperAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

const std::string* valueOf(const std::vector<ConnectAttribute>& attributes,
                           std::initializer_list<const char*> keys)
{
    for (const ConnectAttribute& attribute : attributes) {
        const std::string key = upperAscii(attribute.first);
        for (const char* wanted : keys) {
            if (key == wanted)
                return &attribute.second;
        }
    }
    return nullptr;
}

std::string quoted(const std::string& value)
{
    const bool plain = value.find_first_of(";{}") == std::string::npos &&
                       (value.empty() || (value.front() != ' ' && value.back() != ' '));
    if (plain)
        return value;
    std::string text = "{";
    for (const char c : value) {
        text += c;
        if (c == '}')
            text += '}';
    }
    return text + "}";
}

void append(std::string& text, const std::string& key, const std::string& value)
{
    text += key + "=" + quoted(value) + ";";
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

std::string connectStringOf(const vfp::ContainerConnection& connection)
{
    const std::vector<ConnectAttribute> stored = splitConnectString(connection.connectString);
    std::string text;
    if (!valueOf(stored, {"DSN", "DRIVER", "FILEDSN"})) {
        if (connection.dataSource.empty())
            return {};
        append(text, "DSN", connection.dataSource);
    }
    for (const ConnectAttribute& attribute : stored)
        append(text, attribute.first, attribute.second);
    if (!connection.userId.empty() && !valueOf(stored, {"UID", "USER"}))
        append(text, "UID", connection.userId);
    if (!connection.password.empty() && !valueOf(stored, {"PWD", "PASSWORD"}))
        append(text, "PWD", connection.password);
    return text;
}

std::string dataSourceText(const vfp::ContainerConnection& connection)
{
    const std::string connectString = connectStringOf(connection);
    if (connectString.empty())
        return "the connection " + connection.name;
    const std::vector<ConnectAttribute> attributes = splitConnectString(connectString);
    std::string text;
    std::string name;
    if (const std::string* dsn = valueOf(attributes, {"DSN"})) {
        name = *dsn;
        text = "the data source " + name;
    } else {
        std::string shown;
        for (const ConnectAttribute& attribute : attributes) {
            const std::string key = upperAscii(attribute.first);
            append(shown, attribute.first,
                   key == "PWD" || key == "PASSWORD" ? std::string("***") : attribute.second);
        }
        text = "the connect string " + shown;
    }
    if (!connection.name.empty() && upperAscii(connection.name) != upperAscii(name))
        text += " (connection " + connection.name + ")";
    return text;
}

}  // namespace database::odbc
