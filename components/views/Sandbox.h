// The fence around the SQLite database a view runs in. A view's SQL comes from a container
// someone sent: whatever it says, it may only read the container's tables and views and call
// the functions the translation writes. The database is defensive, loads no extension, trusts
// nothing in its schema, attaches nothing, and keeps every value and row small.
//
//   Sandbox sandbox{db};                  // before any SQL of the view runs
//   { Sandbox::SetUp ours{sandbox};       // our own CREATE statements
//     execute(db, "CREATE TEMP VIEW ..."); }
//   sandbox.admit("orders");              // the view's SQL may read it now
#pragma once

#include <set>
#include <string>
#include <string_view>

struct sqlite3;

namespace views {

// The longest value (text or bytes) a view may make or read, and the longest row SQLite may
// build to sort, group or join one. A spreadsheet cell shows at most 32,767 characters (at
// most 128 KiB of UTF-8), so a value a cell shows whole always fits; 255 columns of it make
// 64 MiB at most; and one comparison of two such values (AT(), STRTRAN(), LIKE), which SQLite
// cannot stop half way, takes about a second at worst.
inline constexpr int kMaxValueBytes = 256 * 1024;

class Sandbox
{
public:
    // Makes db defensive (no writes to its own schema, no extension loading, functions and
    // virtual tables in views only when harmless, no attached files) with the limits of
    // Sandbox.cpp, and installs the authorizer. Throws DatabaseError when SQLite refuses one.
    explicit Sandbox(sqlite3* db);
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // While a SetUp lives, statements may also create temporary views and virtual tables of
    // our own table module: the statements we write ourselves to define tables and views.
    class SetUp
    {
    public:
        explicit SetUp(Sandbox& sandbox);
        ~SetUp();
        SetUp(const SetUp&) = delete;
        SetUp& operator=(const SetUp&) = delete;

    private:
        Sandbox& mSandbox;
        bool mWas;
    };

    // Lets statements read the table or view `name` (ignoring case) from now on.
    void admit(std::string_view name);

private:
    static int authorize(void* self, int action, const char* first, const char* second,
                         const char* database, const char* trigger);
    bool allows(int action, const char* first, const char* second) const;

    std::set<std::string> mReadable;  // lower case
    bool mSettingUp = false;
};

}  // namespace views
