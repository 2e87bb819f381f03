// An opened FoxPro or dBase table: its checked header, its fields and where its records lie.
// Reading records is the job of RecordReader; a Table is cheap to copy and safe to share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/vfp/ByteSource.h"
#include "components/vfp/CodePage.h"
#include "components/vfp/FieldDescriptor.h"

namespace vfp {

class ContainerShelf;

struct OpenOptions
{
    // Code page for a table without a code-page mark (mark 0) or with one nobody knows.
    int defaultCodePage = kDefaultCodePage;
    // When not 0, used instead of the table's mark.
    int codePage = 0;
    // Long field names, one per user field in descriptor order (what a container keeps for
    // its tables). Ignored, header names kept, when the count differs from the field count.
    std::vector<std::string> longFieldNames;
    // When true and longFieldNames is empty, a table whose header links it to a container
    // takes its long field names from that container. A missing or unreadable container is
    // not an error: the header names stay and Table::notes() says why.
    bool longNamesFromContainer = false;
    // Where longNamesFromContainer finds containers already read; null reads the container at
    // each open. Share one among the opens of one source (see ContainerShelf).
    std::shared_ptr<ContainerShelf> containers;
};

struct TableState;  // shared, immutable after open (internal)

class Table
{
public:
    // Opens a table file and, when it has memo fields, looks for its memo file beside it
    // (same base name, .fpt, or .dbt for dBase, or .dct for a container; case ignored).
    // Throws VfpError naming the file when: it cannot be opened; it is shorter than its
    // header; the field list runs past the header length without its 0x0D terminator; it
    // lists no field; a field has a type FoxPro does not know or a width its type cannot
    // have; the fields do not fit the record length and the file size does not show them
    // right either.
    // Tolerated, with a note (notes()): a header record count larger than the file holds
    // (only the whole records present are read; a smaller count is trusted); a record length
    // the file size shows wrong (the fields' sum is used); a field list that fills the header
    // without a 0x0D; nullable or varchar fields without _NullFlags (never NULL, full width);
    // a missing memo file (an error comes only when a record refers to a memo: see
    // RecordReader::read). Field positions come from the widths, not the stored
    // displacements (some writers leave them 0). An unknown code-page mark reads as
    // OpenOptions::defaultCodePage.
    static Table open(const std::filesystem::path& dbf, const OpenOptions& options = {});

    // The same over byte sources (tests, fuzzing); memo may be null (no memo file).
    // longNamesFromContainer has no effect here.
    static Table open(std::shared_ptr<ByteSource> dbf, std::shared_ptr<ByteSource> memo,
                      const OpenOptions& options = {});

    const std::filesystem::path& path() const;  // empty for byte sources
    const std::string& displayName() const;     // file name for messages
    std::uint8_t version() const;               // byte 0: 0x30, 0x31, 0x32, 0x03, 0xF5 ...
    std::uint8_t codePageMark() const;          // byte 29 as stored
    int codePage() const;                       // code page used for text, e.g. 1252
    // True when the header's mark names a code page the engine reads; false for an unmarked
    // table and a mark nobody knows (its text is read in OpenOptions::defaultCodePage).
    bool codePageMarked() const;
    std::uint32_t headerRecordCount() const;  // bytes 4-7 as stored
    // Records that can be read: the header count, or fewer when the file holds fewer whole
    // records. Deleted records included.
    std::uint32_t recordCount() const;
    int headerLength() const;
    int recordLength() const;

    // User fields in descriptor order; _NullFlags is never among them.
    const std::vector<FieldDescriptor>& fields() const;
    // Index of the field whose name (or header name) equals name ignoring ASCII case; -1 if none.
    int fieldIndex(std::string_view name) const;

    // Container back-link from the header (VFP tables only), as stored with '\' separators;
    // empty for a free table.
    const std::string& backlink() const;
    // True when some field lives in the memo file; memoAvailable() tells whether it was found.
    bool hasMemoFields() const;
    bool memoAvailable() const;
    const std::filesystem::path& memoPath() const;  // found memo file, or the expected one

    // Exact number of live (not deleted) records: a buffered scan of the deletion bytes,
    // done once and remembered. Throws VfpError when the file shrank since it was opened.
    std::uint32_t liveRecordCount() const;

    // What was tolerated while opening (e.g. "orders.dbf: the header counts 900 records but
    // the file holds 812 whole records; reading 812"). One sentence each.
    const std::vector<std::string>& notes() const;

    const TableState& state() const { return *mState; }  // for RecordReader

private:
    explicit Table(std::shared_ptr<const TableState> state);
    std::shared_ptr<const TableState> mState;
};

}  // namespace vfp
