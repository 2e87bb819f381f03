// Reads the records of an opened Table in order, skipping deleted ones, and decodes field
// values. Each reader keeps one large buffer of records (read with pread) and its own value
// buffers, so memory stays flat whatever the table size and decoding allocates nothing once
// the buffers have grown. Use one reader per thread; many readers may share a Table.
//
//   vfp::Table table = vfp::Table::open(path);
//   vfp::RecordReader reader(table);
//   std::vector<vfp::Value> values;
//   while (reader.next()) {
//       reader.readAll(values);          // or reader.read(i, value) for single fields
//       ...
//   }
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "components/vfp/Table.h"
#include "components/vfp/Value.h"

namespace vfp {

class RecordReader
{
public:
    // bufferBytes: size of the record buffer (rounded to whole records, at least one).
    explicit RecordReader(const Table& table, std::size_t bufferBytes = std::size_t{1} << 20);
    ~RecordReader();
    RecordReader(RecordReader&&) noexcept;
    RecordReader& operator=(RecordReader&&) noexcept;

    // Moves to the next live record; false after the last one. Throws VfpError when the file
    // became shorter while it was read.
    bool next();
    // Goes back to before the first record.
    void rewind();
    // Moves to the physical record n (0-based, deleted ones counted). Returns false when n is
    // past Table::recordCount() or the record is deleted; the reader then stands nowhere
    // (read throws) and next() continues after n.
    bool seek(std::uint32_t n);
    // Moves to the physical record n as it is stored, deleted or not (to look at a table the
    // way FoxPro's BROWSE shows it). Returns false, standing nowhere, when n is past
    // Table::recordCount(). Throws VfpError when the file became shorter.
    bool seekStored(std::uint32_t n);
    // True when the current record carries the deletion mark; false when none is current.
    bool isDeleted() const;
    // Physical number (0-based) of the current record.
    std::uint32_t recordNumber() const;

    // Decodes field `index` (into Table::fields()) of the current record into out, reusing its
    // buffer. Value kinds: see Value.h and FieldDescriptor::kind; a set null bit gives Null.
    // Throws VfpError naming the file, field and record when a memo cannot be read (memo file
    // missing, pointer or length past the end of the memo file) or no record is current;
    // std::out_of_range for an index outside Table::fields().
    void read(int index, Value& out);
    // Decodes every field of the current record into out (resized to the field count).
    void readAll(std::vector<Value>& out);
    // Like read, but a character, varchar or memo field gives its stored bytes (Binary kind),
    // not decoded from the code page. For memos of binary records such as a container's.
    void readBytes(int index, Value& out);

    const Table& table() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace vfp
