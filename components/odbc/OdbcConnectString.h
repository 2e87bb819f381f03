// What a view's Connection object says about reaching its server: the connect string we build
// of it from what this machine's ODBC set-up allows, as SQLDriverConnect takes it and as the
// consent question and messages show it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "components/odbc/OdbcSetup.h"
#include "components/vfp/Container.h"

namespace odbc {

// One "KEY=value" of a connect string; the value without the braces that may quote it.
using ConnectAttribute = std::pair<std::string, std::string>;

// Splits "DSN=sales;UID=clerk;PWD={a;b}" into its attributes, in order. A value in braces may
// hold ";" and "}}" for "}"; blanks around keys are dropped. Text without "=" is skipped.
std::vector<ConnectAttribute> splitConnectString(const std::string& text);

// The longest connect string stored or sent: longer ones have overflowed the driver manager's
// buffers, and no real one comes near it.
constexpr std::size_t kMaxConnectStringLength = 1024;

struct ServerLogin
{
    std::string connectString;  // as it is sent: "DSN=sales;UID=clerk;PWD=s3cret;"
    std::string shown;          // the same with each password as ***: what the user agrees to
    std::string dataSource;     // the data source's name as the machine lists it; "" for DRIVER
};

// Builds the connect string for `connection` from what `setup` allows:
// - with a data source (DSN= in its ConnectString, else its DataSource): "DSN=NAME;" with NAME
//   as the machine lists it, then UID and PWD from the string or else from UserId and Password;
//   nothing else, so nothing overrides the data source's own settings;
// - with DRIVER=NAME: a driver registered by that name (never a path), then its attributes as
//   stored, each checked by refusedAttribute, and UID and PWD as above.
// Throws DatabaseError with a clause that follows "its connection NAME " and names what is
// refused: a connect string over kMaxConnectStringLength bytes, a control character, a data
// source or driver the machine does not list, a driver given as a path, an attribute beside a
// data source, an attribute given twice, a refused attribute, a value holding ";", "{" or "}"
// (drivers split those differently), or no data source at all.
ServerLogin buildConnectString(const vfp::ContainerConnection& connection, const OdbcSetup& setup);

// How messages name the server of `connection` reached with `login`: "the data source NAME", or
// "the connect string SHOWN"; either followed by " (connection NAME)" when the Connection
// object's name differs from the data source name.
std::string dataSourceText(const vfp::ContainerConnection& connection, const ServerLogin& login);

}  // namespace odbc
