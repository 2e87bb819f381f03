// What opening a table or view would ask of a server: the answer Connection::remoteUse gives,
// from which callers ask the user before any remote view reaches its server.
#pragma once

#include <string>

namespace database {

struct RemoteUse
{
    bool remote = false;  // a remote view
    std::string server;   // its connect string as it would be sent, each password as ***
    std::string refusal;  // why it is refused without reaching a server; "" when it is not
};

}  // namespace database
