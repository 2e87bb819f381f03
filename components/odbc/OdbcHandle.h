// ODBC handles owned by objects that free them, and the diagnostics the driver manager keeps on
// each handle, read back as the text of an error.
#pragma once

#include <string>

#include <sql.h>

namespace odbc {

// True for SQL_SUCCESS and SQL_SUCCESS_WITH_INFO: the call did what it was asked.
constexpr bool succeeded(SQLRETURN rc)
{
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

class Handle
{
public:
    // Allocates a handle of `type` under `parent`: an environment (parent null), a connection
    // (under an environment) or a statement (under a connection). Throws DatabaseError
    // "CONTEXT: REASON." with the parent's diagnostics when the driver manager refuses.
    Handle(SQLSMALLINT type, const Handle* parent, const std::string& context);
    ~Handle();
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    SQLHANDLE get() const { return mHandle; }

    // The diagnostic records the last call on this handle left, in order, each as
    // "MESSAGE (SQLSTATE XXXXX)" and joined by "; ", the message's own final period dropped;
    // "no reason given" when there is none. Valid UTF-8 whatever the driver sends.
    std::string diagnostics() const;
    // For settings a driver may not offer (a time-out, a read-only hint): true when rc
    // succeeded, false when the driver does not offer the setting (SQLSTATE HYC00, HY092,
    // HY024 or IM001). Throws DatabaseError "CONTEXT: DIAGNOSTICS." for any other failure.
    bool offered(SQLRETURN rc, const std::string& context) const;

    // Throws DatabaseError "CONTEXT: DIAGNOSTICS." unless rc succeeded.
    void check(SQLRETURN rc, const std::string& context) const
    {
        if (!succeeded(rc))
            fail(context);
    }
    [[noreturn]] void fail(const std::string& context) const;

private:
    SQLSMALLINT mType;
    SQLHANDLE mHandle = SQL_NULL_HANDLE;
};

// Declares ODBC 3 behaviour on an environment handle, as it must be before a connection is
// allocated or anything listed under it. Throws DatabaseError "CONTEXT: the ODBC driver manager
// refuses ODBC 3: DIAGNOSTICS." when it cannot.
void declareOdbc3(const Handle& environment, const std::string& context);

}  // namespace odbc
