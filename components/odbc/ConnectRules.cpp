// The refused attributes, as one table of names (exact, leading or contained) with the reason.
// Sources: unixODBC 2.3.11 (SQLDriverConnect.c, SQLConnect.c: DSN, DRIVER, FILEDSN, SAVEFILE,
// DMEnvAttr, DMConnAttr, DMStmtAttr); the documentation and strings of libsqliteodbc 0.9998,
// odbc-postgresql 13.02, odbc-mariadb 3.1.15 and tdsodbc 1.3.17.
#include "components/odbc/ConnectRules.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "components/text/AsciiCase.h"

namespace odbc {

namespace {

enum class Match : std::uint8_t { Exact, Prefix, Contains };

struct Rule
{
    Match match;
    std::string_view name;  // upper case
    std::string_view reason;
};

constexpr std::string_view kDriverManager =
    "is read by the driver manager itself, which can set environment variables, load "
    "libraries and write trace files from it";
constexpr std::string_view kLibrary = "loads a library";
constexpr std::string_view kLocalFile = "names a local file or folder";
constexpr std::string_view kWritesLog = "writes a trace or log file";
constexpr std::string_view kOwnSql = "runs SQL of its own when connecting";
constexpr std::string_view kOwnLogin = "logs in with the user's own credentials";

constexpr std::array kRules = {
    Rule{Match::Exact, "FILEDSN", "names a file DSN, whose driver may be any library"},
    Rule{Match::Exact, "SAVEFILE", "makes the driver write a file"},
    Rule{Match::Prefix, "DM", kDriverManager},
    Rule{Match::Prefix, "ODBC", kDriverManager},
    Rule{Match::Prefix, "SQL_", kDriverManager},
    Rule{Match::Exact, "LOADEXT", kLibrary},
    Rule{Match::Contains, "LIB", kLibrary},
    Rule{Match::Contains, "DLL", kLibrary},
    Rule{Match::Contains, "PLUGIN", kLibrary},
    Rule{Match::Contains, "EXTENSION", kLibrary},
    Rule{Match::Contains, "TRANSLATION", kLibrary},
    Rule{Match::Contains, "TRACE", kWritesLog},
    Rule{Match::Contains, "DEBUG", kWritesLog},
    Rule{Match::Contains, "DUMP", kWritesLog},
    Rule{Match::Exact, "COMMLOG", kWritesLog},
    Rule{Match::Prefix, "LOGDIR", kWritesLog},
    Rule{Match::Prefix, "LOGFILE", kWritesLog},
    Rule{Match::Exact, "LOG", kWritesLog},
    Rule{Match::Contains, "FILE", kLocalFile},
    Rule{Match::Contains, "PATH", kLocalFile},
    Rule{Match::Contains, "DIR", kLocalFile},
    Rule{Match::Contains, "CERT", kLocalFile},
    Rule{Match::Contains, "KEY", kLocalFile},
    Rule{Match::Exact, "SSLCA", kLocalFile},
    Rule{Match::Exact, "SSLCRL", kLocalFile},
    Rule{Match::Exact, "SSLFPLIST", kLocalFile},
    Rule{Match::Exact, "TLSPEERFPLIST", kLocalFile},
    Rule{Match::Contains, "MYCNF", "reads the user's own MySQL option file"},
    Rule{Match::Exact, "SOCKET",
         "names a local socket: a server of this machine, reached as the user"},
    Rule{Match::Exact, "NAMEDPIPE",
         "names a local socket: a server of this machine, reached as the user"},
    Rule{Match::Exact, "INITSTMT", kOwnSql},
    Rule{Match::Exact, "CONNSETTINGS", kOwnSql},
    Rule{Match::Exact, "PQOPT",
         "passes options to the PostgreSQL client library, which can name key, certificate and "
         "password files"},
    Rule{Match::Exact, "OPTION",
         "sets driver flags that can allow several statements and reading local files"},
    Rule{Match::Exact, "OPTIONS",
         "sets driver flags that can allow several statements and reading local files"},
    Rule{Match::Exact, "NOTXN",
         "only pretends transactions, so what the SQL changed would not be rolled back"},
    Rule{Match::Exact, "TRUSTED_CONNECTION", kOwnLogin},
    Rule{Match::Exact, "INTEGRATED SECURITY", kOwnLogin},
    Rule{Match::Contains, "GSS", kOwnLogin},
    Rule{Match::Contains, "KERBEROS", kOwnLogin},
};

// Keys naming the server to reach; a value naming this machine reaches a server that may log
// the user in by their own account (a Unix socket, peer or Windows authentication).
constexpr std::array<std::string_view, 6> kServerKeys = {"SERVER",  "SERVERNAME", "HOST",
                                                         "ADDRESS", "ADDR",       "HOSTNAME"};

bool matches(const Rule& rule, std::string_view key)
{
    switch (rule.match) {
        case Match::Exact:
            return key == rule.name;
        case Match::Prefix:
            return key.substr(0, rule.name.size()) == rule.name;
        case Match::Contains:
            return key.find(rule.name) != std::string_view::npos;
    }
    return true;
}

// ASCII only, whatever the locale: in a Latin-1 locale std::isalpha takes some bytes of UTF-8
// for letters, and drivers compare keys as ASCII.
bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isAsciiLetterOrDigit(char c)
{
    return isAsciiLetter(c) || isAsciiDigit(c);
}

// Letters, digits, "_" and inner blanks: anything else no driver we know takes as a key.
bool plainKey(std::string_view key)
{
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return isAsciiLetterOrDigit(c) || c == '_' || c == ' ';
    });
}

// psqlodbc's two-character forms ("A6" is ConnSettings, "D5" pqopt, "CX" and "AB" sets of
// flags): what they mean depends on the driver, so no key of a letter and one letter or digit,
// nor a letter and digits, is sent.
bool abbreviation(std::string_view key)
{
    if (key.size() < 2 || !isAsciiLetter(key[0]))
        return false;
    return (key.size() == 2 && isAsciiLetterOrDigit(key[1])) ||
           std::all_of(key.begin() + 1, key.end(), isAsciiDigit);
}

bool namesThisMachine(std::string_view value)
{
    const std::string upper = text::upperAscii(value);
    const std::string_view text = upper;
    for (const std::string_view local :
         {"LOCALHOST", "127.", "::1", "[::1]", "(LOCAL)", "0.0.0.0", "NP:", "LPC:", "UNIX:"}) {
        if (text.substr(0, local.size()) == local)
            return true;
    }
    return text.empty() || text.front() == '/' || text.front() == '@' || text.front() == '.';
}

}  // namespace

std::string refusedAttribute(const std::string& key, const std::string& value, bool sqliteDriver)
{
    const std::string upper = text::upperAscii(key);
    if (!plainKey(upper))
        return "is no attribute name a driver takes";
    for (const Rule& rule : kRules) {
        if (matches(rule, upper))
            return std::string(rule.reason);
    }
    if (abbreviation(upper))
        return "is an abbreviated setting whose meaning depends on the driver";
    if (sqliteDriver && upper == "DATABASE")
        return "names the database file the SQLite driver opens or creates";
    if (std::find(kServerKeys.begin(), kServerKeys.end(), upper) != kServerKeys.end() &&
        namesThisMachine(value))
        return "names a server of this machine, which may log the user in by their own account";
    return {};
}

}  // namespace odbc
