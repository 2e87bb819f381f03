// Every sentence the engine puts in a VfpError or a note, in one place so they read alike.
#pragma once

#include <cstdint>
#include <string>

#include "components/vfp/MemoFile.h"

namespace vfp::message {

std::string tooShortForHeader(const std::string& file, std::uint64_t size, std::uint64_t needed);
std::string noTerminator(const std::string& file, int headerLength);
std::string noFields(const std::string& file);
std::string unknownType(const std::string& file, const std::string& field, char type);
std::string badWidth(const std::string& file, const std::string& field, char type, int width);
std::string fieldPastRecord(const std::string& file, const std::string& field, int offset,
                            int width, int recordLength);
std::string headerLengthTooSmall(const std::string& file, int headerLength, int needed);
std::string fileShrank(const std::string& file);

std::string noteRecordsMissing(const std::string& file, std::uint32_t header,
                               std::uint32_t present);
std::string noteRecordLengthRepaired(const std::string& file, int stored, int used);
std::string noteNoTerminator(const std::string& file);
std::string noteNoNullFlags(const std::string& file);
std::string noteNullFlagsShort(const std::string& file, int needed, int present);
std::string noteMemoMissing(const std::string& file, const std::string& memo);
std::string noteContainer(const std::string& file, const std::string& why);

std::string memoMissing(const std::string& field, const std::string& memo,
                        const std::string& table);
std::string memoUnreadable(const std::string& field, std::uint32_t record, const std::string& memo,
                           MemoStatus status, std::uint64_t block, std::uint64_t memoSize);
std::string memoPointerNotANumber(const std::string& field, std::uint32_t record,
                                  const std::string& table);
std::string noCurrentRecord(const std::string& table);

std::string containerFieldMissing(const std::string& file, const std::string& field);
std::string memberMissing(const std::string& table, const std::string& stored,
                          const std::string& container, const std::string& expected);

}  // namespace vfp::message
