// Allocating and freeing ODBC handles; SQLGetDiagRec read into one message.
#include "components/odbc/OdbcHandle.h"

#include <array>
#include <vector>

#include <sqlext.h>

#include <QString>

#include "components/rows/DatabaseError.h"

namespace odbc {

namespace {

// Diagnostic records read for one message; a driver that keeps piling up records (some
// repeat one warning per row) must not make a message of thousands of lines.
constexpr SQLSMALLINT kMaxRecords = 8;
constexpr SQLSMALLINT kFirstMessageCapacity = 512;

std::string validUtf8(const std::string& bytes)
{
    return QString::fromUtf8(bytes).toStdString();
}

}  // namespace

Handle::Handle(SQLSMALLINT type, const Handle* parent, const std::string& context) : mType(type)
{
    const SQLRETURN rc =
        SQLAllocHandle(type, parent != nullptr ? parent->get() : SQL_NULL_HANDLE, &mHandle);
    if (succeeded(rc))
        return;
    mHandle = SQL_NULL_HANDLE;
    throw rows::DatabaseError(context + ": " +
                              (parent != nullptr
                                   ? parent->diagnostics()
                                   : std::string("the ODBC driver manager cannot start")) +
                              ".");
}

Handle::~Handle()
{
    if (mHandle != SQL_NULL_HANDLE)
        SQLFreeHandle(mType, mHandle);
}

std::string Handle::diagnostics() const
{
    std::string text;
    for (SQLSMALLINT record = 1; record <= kMaxRecords; ++record) {
        std::array<SQLCHAR, 6> state{};
        SQLINTEGER native = 0;
        std::vector<SQLCHAR> message(kFirstMessageCapacity);
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRec(mType, mHandle, record, state.data(), &native, message.data(),
                                     static_cast<SQLSMALLINT>(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
            message.resize(static_cast<std::size_t>(length) + 1);
            rc = SQLGetDiagRec(mType, mHandle, record, state.data(), &native, message.data(),
                               static_cast<SQLSMALLINT>(message.size()), &length);
        }
        if (!succeeded(rc))
            break;
        std::string line(
            reinterpret_cast<const char*>(message.data()),
            std::min<std::size_t>(static_cast<std::size_t>(std::max<SQLSMALLINT>(length, 0)),
                                  message.size() - 1));
        while (!line.empty() && (line.back() == '.' || line.back() == '\n' || line.back() == ' '))
            line.pop_back();
        if (!text.empty())
            text += "; ";
        text += validUtf8(line) + " (SQLSTATE " +
                validUtf8(reinterpret_cast<const char*>(state.data())) + ")";
    }
    return text.empty() ? std::string("no reason given") : text;
}

bool Handle::offered(SQLRETURN rc, const std::string& context) const
{
    if (succeeded(rc))
        return true;
    std::array<SQLCHAR, 6> state{};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (succeeded(SQLGetDiagRec(mType, mHandle, 1, state.data(), &native, nullptr, 0, &length))) {
        const std::string code(reinterpret_cast<const char*>(state.data()));
        if (code == "HYC00" || code == "HY092" || code == "HY024" || code == "IM001")
            return false;
    }
    fail(context);
}

void Handle::fail(const std::string& context) const
{
    throw rows::DatabaseError(context + ": " + diagnostics() + ".");
}

void declareOdbc3(const Handle& environment, const std::string& context)
{
    environment.check(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
                                    reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                      context + ": the ODBC driver manager refuses ODBC 3");
}

}  // namespace odbc
