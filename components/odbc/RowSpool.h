// The rows of a remote view, kept in an unnamed temporary file between the one pass over the
// server's result and the recordset's walk: memory stays flat however many rows there are,
// and RecordCount is exact before the first row is read.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "components/vfp/Value.h"

namespace odbc {

class RowSpool
{
public:
    // Creates the file (in the system's temporary folder, gone when closed). `context`
    // starts every message. Throws DatabaseError when no temporary file can be made.
    explicit RowSpool(std::string context);

    // Appends one value. Throws DatabaseError when the file cannot be written (a full disk).
    void write(const vfp::Value& value);
    // Ends writing and goes back to the first value. Throws DatabaseError as write does.
    void rewind();
    // Reads the next value into out (its buffer reused), in the order written. Throws
    // DatabaseError when the file cannot be read or does not hold what was written.
    void read(vfp::Value& out);

private:
    // Throws DatabaseError "CONTEXT: the temporary file for its rows WHAT (ERROR)."
    [[noreturn]] void failed(const char* what, int error = 0) const;
    void put(const void* data, std::size_t size);
    void get(void* data, std::size_t size);

    struct Closer
    {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::string mContext;
    std::unique_ptr<std::FILE, Closer> mFile;
};

}  // namespace odbc
