// Opening a table: its header (TableHeader.cpp), its memo file, long field names from a
// back-linked container, and the count of live records.
#include "components/vfp/Table.h"

#include <algorithm>

#include "components/text/AsciiCase.h"
#include "components/vfp/Container.h"
#include "components/vfp/ContainerShelf.h"
#include "components/vfp/FileLookup.h"
#include "components/vfp/Messages.h"
#include "components/vfp/TableState.h"
#include "components/vfp/VfpError.h"

namespace vfp {
namespace {

constexpr std::size_t kScanBytes = std::size_t{1}
                                   << 20;  // deletion-byte scan reads 1 MiB at a time

MemoFormat formatFor(const std::string& memoName, std::uint8_t version)
{
    const std::string lower = text::lowerAscii(memoName);
    if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".dbt") != 0)
        return MemoFormat::Fpt;
    return version == 0x83 ? MemoFormat::Dbt3 : MemoFormat::Dbt4;
}

void findMemo(TableState& state)
{
    const std::filesystem::path folder = state.path.parent_path();
    const std::string stem = state.path.stem().string();
    const std::string extension = text::lowerAscii(state.path.extension().string());
    std::vector<std::string> candidates;
    if (extension == ".dbc")
        candidates = {".dct"};
    else if (state.version == 0x83 || state.version == 0x8B || state.version == 0xCB)
        candidates = {".dbt", ".fpt"};
    else
        candidates = {".fpt", ".dbt"};
    for (const std::string& candidate : candidates) {
        if (const auto found = findIgnoringCase(folder, stem + candidate)) {
            state.memoPath = *found;
            state.memoName = found->filename().string();
            state.memo = openFileSource(*found);
            state.memoFormat = formatFor(state.memoName, state.version);
            return;
        }
    }
    state.memoName = stem + candidates.front();
    state.memoPath = folder / state.memoName;
    state.notes.push_back(message::noteMemoMissing(state.displayName, state.memoName));
}

void applyContainerNames(TableState& state, ContainerShelf* shelf)
{
    const auto [dbc, exists] = resolveStoredPath(state.path.parent_path(), state.backlink);
    if (!exists) {
        state.notes.push_back(
            message::noteContainer(state.displayName, state.backlink + " is missing"));
        return;
    }
    try {
        const Container container = shelf ? shelf->open(dbc) : Container::open(dbc);
        const ContainerTable* table = container.tableForFile(state.path);
        if (!table) {
            state.notes.push_back(
                message::noteContainer(state.displayName, "the container does not list it"));
        } else if (table->longFieldNames.size() != state.fields.size()) {
            state.notes.push_back(
                message::noteContainer(state.displayName, "the container lists other fields"));
        } else {
            for (std::size_t i = 0; i < state.fields.size(); ++i)
                state.fields[i].name = table->longFieldNames[i];
        }
    } catch (const VfpError& error) {
        state.notes.push_back(message::noteContainer(
            state.displayName, std::string("it cannot be read (") + error.what() + ")"));
    }
}

}  // namespace

Table::Table(std::shared_ptr<const TableState> state) : mState(std::move(state)) {}

Table Table::open(const std::filesystem::path& dbf, const OpenOptions& options)
{
    auto state = std::make_shared<TableState>();
    state->path = dbf;
    state->displayName = dbf.filename().string();
    state->dbf = openFileSource(dbf);
    readHeader(*state, options);
    if (options.longNamesFromContainer && options.longFieldNames.empty() &&
        !state->backlink.empty())
        applyContainerNames(*state, options.containers.get());
    if (state->hasMemoFields)
        findMemo(*state);
    return Table(std::move(state));
}

Table Table::open(std::shared_ptr<ByteSource> dbf, std::shared_ptr<ByteSource> memo,
                  const OpenOptions& options)
{
    auto state = std::make_shared<TableState>();
    state->displayName = dbf->displayName();
    state->dbf = std::move(dbf);
    readHeader(*state, options);
    if (memo) {
        state->memoName = memo->displayName();
        state->memoFormat = formatFor(state->memoName, state->version);
        state->memo = std::move(memo);
    } else if (state->hasMemoFields) {
        state->memoName = std::filesystem::path(state->displayName).stem().string() + ".fpt";
        state->notes.push_back(message::noteMemoMissing(state->displayName, state->memoName));
    }
    return Table(std::move(state));
}

const std::filesystem::path& Table::path() const
{
    return mState->path;
}
const std::string& Table::displayName() const
{
    return mState->displayName;
}
std::uint8_t Table::version() const
{
    return mState->version;
}
std::uint8_t Table::codePageMark() const
{
    return mState->codePageMark;
}
int Table::codePage() const
{
    return mState->codePage;
}

bool Table::codePageMarked() const
{
    return isSupportedCodePage(codePageForMark(mState->codePageMark));
}
std::uint32_t Table::headerRecordCount() const
{
    return mState->headerRecordCount;
}
std::uint32_t Table::recordCount() const
{
    return mState->recordCount;
}
int Table::headerLength() const
{
    return mState->headerLength;
}
int Table::recordLength() const
{
    return mState->recordLength;
}
const std::vector<FieldDescriptor>& Table::fields() const
{
    return mState->fields;
}
const std::string& Table::backlink() const
{
    return mState->backlink;
}
bool Table::hasMemoFields() const
{
    return mState->hasMemoFields;
}
bool Table::memoAvailable() const
{
    return mState->memo != nullptr;
}
const std::filesystem::path& Table::memoPath() const
{
    return mState->memoPath;
}
const std::vector<std::string>& Table::notes() const
{
    return mState->notes;
}

int Table::fieldIndex(std::string_view name) const
{
    const auto same = [&](const std::string& candidate) {
        return text::equalsIgnoringAsciiCase(candidate, name);
    };
    const auto& fields = mState->fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (same(fields[i].name) || same(fields[i].headerName))
            return static_cast<int>(i);
    return -1;
}

std::uint32_t Table::liveRecordCount() const
{
    const TableState& state = *mState;
    const std::lock_guard lock(state.liveMutex);
    if (state.liveCount)
        return *state.liveCount;
    const auto recordLength = static_cast<std::size_t>(state.recordLength);
    const std::size_t perChunk = std::max<std::size_t>(1, kScanBytes / recordLength);
    std::string buffer(perChunk * recordLength, '\0');
    std::uint32_t live = 0;
    for (std::uint32_t start = 0; start < state.recordCount;) {
        const auto count = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(perChunk, state.recordCount - start));
        const std::size_t bytes = count * recordLength;
        const std::uint64_t offset =
            static_cast<std::uint64_t>(state.headerLength) + std::uint64_t{start} * recordLength;
        if (state.dbf->readAt(offset, buffer.data(), bytes) != bytes)
            throw VfpError(message::fileShrank(state.displayName));
        for (std::uint32_t i = 0; i < count; ++i)
            live += buffer[i * recordLength] != '*';
        start += count;
    }
    state.liveCount = live;
    return live;
}

}  // namespace vfp
