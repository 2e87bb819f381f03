// What a view's Connection object says about reaching its server, as the connect string
// SQLDriverConnect takes and as the data source a message names.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "components/vfp/Container.h"

namespace database::odbc {

// One "KEY=value" of a connect string; the value without the braces that may quote it.
using ConnectAttribute = std::pair<std::string, std::string>;

// Splits "DSN=sales;UID=clerk;PWD={a;b}" into its attributes, in order. A value in braces may
// hold ";" and "}}" for "}"; blanks around keys are dropped. Text without "=" is skipped.
std::vector<ConnectAttribute> splitConnectString(const std::string& text);

// The connect string for `connection`: its ConnectString as stored, with DSN=DataSource put
// first when the string names no DSN, DRIVER or FILEDSN, and UID and PWD added from UserId
// and Password when the string has none. Values holding ";", braces or blanks at an end are
// quoted in braces. "" when the connection names no data source at all.
std::string connectStringOf(const vfp::ContainerConnection& connection);

// How messages name the server of `connection`: "the data source NAME" for a DSN, else "the
// connect string TEXT" with every password shown as "***"; either followed by " (connection
// NAME)" when the Connection object's name differs from the data source name; "the
// connection NAME" when it names no data source at all.
std::string dataSourceText(const vfp::ContainerConnection& connection);

}  // namespace database::odbc
