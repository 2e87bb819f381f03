// Feeds bytes to the table reader as a .dbf (with a small valid memo file beside it): open,
// count, read every record both decoded and as stored, then every record by its number from
// the last to the first, deleted ones too, as the preview jumps. VfpError is the expected
// answer to bad input; any other exception, crash or sanitizer report is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "components/vfp/RecordReader.h"
#include "components/vfp/VfpError.h"

namespace {

// A .fpt of 64-byte blocks with memos at blocks 8 and 9 (a 4-byte memo pointer of 8 or 9
// in the input reaches them).
std::string memoFile()
{
    std::string fpt(512, '\0');
    fpt[3] = 10;  // next free block
    fpt[7] = 64;  // block size
    for (const std::string text : {"first memo", "\x81\x82\xa0 second"}) {
        std::string block(64, '\0');
        block[3] = 1;
        block[7] = static_cast<char>(text.size());
        block.replace(8, text.size(), text);
        fpt += block;
    }
    return fpt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string memo = memoFile();
    try {
        const vfp::Table table = vfp::Table::open(
            vfp::memorySource(std::string(reinterpret_cast<const char*>(data), size), "fuzz.dbf"),
            vfp::memorySource(memo, "fuzz.fpt"));
        table.liveRecordCount();
        vfp::RecordReader reader(table, 256);
        std::vector<vfp::Value> values;
        vfp::Value raw;
        while (reader.next()) {
            try {
                reader.readAll(values);
            } catch (const vfp::VfpError&) {
                // a damaged memo pointer in this record; the next record may be fine
            }
            for (int i = 0; i < static_cast<int>(table.fields().size()); ++i) {
                try {
                    reader.readBytes(i, raw);
                } catch (const vfp::VfpError&) {
                }
            }
        }
        for (std::uint32_t n = table.recordCount(); n-- > 0;) {
            if (!reader.seekStored(n))
                break;
            reader.isDeleted();
            try {
                reader.readAll(values);
            } catch (const vfp::VfpError&) {
            }
        }
    } catch (const vfp::VfpError&) {
    }
    return 0;
}
