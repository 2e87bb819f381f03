// What a table or view of a source is, learnt without reading a record: a table's header and
// file, a view's kind and SQL. For showing what an item holds before it is copied.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace database {

struct ObjectDetails
{
    enum class Kind : std::uint8_t { Table, LocalView, RemoteView };

    Kind kind = Kind::Table;
    std::string sql;             // a view's SQL as the container keeps it
    std::filesystem::path file;  // a table's file (for a container's table whose file is
                                 // missing: where the container expects it)
    // Why the table's file or header cannot be read (a missing file, a damaged header), one
    // sentence naming the file; "" when they can. The members below are then left at zero.
    std::string failure;

    std::uint32_t records = 0;        // records the file holds, deleted ones included
    std::uint32_t headerRecords = 0;  // records the header counts (more when the file is cut)
    int fields = 0;                   // user fields (_NullFlags not among them)
    std::uint64_t fileSize = 0;       // bytes
    std::int64_t lastChange = 0;      // the file's last change, seconds since 1970 (UTC)
    int codePage = 0;                 // the code page its text is read in
    bool codePageMarked = false;      // the header names that code page; else it is the
                                      // connection's DefaultCodePage
};

}  // namespace database
