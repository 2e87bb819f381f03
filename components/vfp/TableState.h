// What Table::open learns about a table; shared read-only by the Table copies and readers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "components/vfp/ByteSource.h"
#include "components/vfp/FieldDescriptor.h"
#include "components/vfp/MemoFile.h"

namespace vfp {

struct TableState
{
    std::filesystem::path path;
    std::string displayName;
    std::shared_ptr<ByteSource> dbf;

    std::shared_ptr<ByteSource> memo;  // null when there is none or it is missing
    MemoFormat memoFormat = MemoFormat::Fpt;
    std::filesystem::path memoPath;  // found, or expected when missing
    std::string memoName;            // memo file name for messages
    bool hasMemoFields = false;

    std::uint8_t version = 0;
    std::uint8_t codePageMark = 0;
    int codePage = 1252;
    std::uint32_t headerRecordCount = 0;
    std::uint32_t recordCount = 0;  // whole records present, at most the header's count
    int headerLength = 0;
    int recordLength = 0;

    std::vector<FieldDescriptor> fields;  // user fields only
    int nullFlagsOffset = -1;             // _NullFlags position in the record, -1 when absent
    int nullFlagsLength = 0;

    std::string backlink;
    std::vector<std::string> notes;

    mutable std::mutex liveMutex;
    mutable std::optional<std::uint32_t> liveCount;
};

// Reads and checks the header of state.dbf and fills every header member of state
// (everything but the memo members). Throws VfpError as Table::open documents.
void readHeader(TableState& state, const struct OpenOptions& options);

}  // namespace vfp
