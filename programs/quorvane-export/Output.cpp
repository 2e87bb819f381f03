// Output buffering and JSON escaping. Dumps run to millions of cells, so the common case
// (printable ASCII) is copied in runs, and nothing is allocated per cell.
#include "programs/quorvane-export/Output.h"

#include "components/text/Utf8.h"
#include "programs/quorvane-export/TerminalText.h"

#include <unistd.h>

#include <array>
#include <stdexcept>

namespace cli {

namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 16;  // one pipe-full at a time

// Bytes that go into a JSON string as they are: printable ASCII except quote, backslash and
// DEL.
// A table, because this test runs for every byte of every cell.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c)
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\' && c != 0x7F;
    return plain;
}();

// Bytes of a CSV field copied as they are: all but the quote; on a terminal, nor the control
// characters other than tab and line feed, nor 0xC2, which may start a C1 control.
constexpr std::array<bool, 256> csvPlain(bool terminal)
{
    std::array<bool, 256> plain{};
    for (int c = 0; c < 256; ++c) {
        const bool control = (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F || c == 0xC2;
        plain[static_cast<std::size_t>(c)] = c != '"' && !(terminal && control);
    }
    return plain;
}
constexpr std::array<bool, 256> kCsvPlain = csvPlain(false);
constexpr std::array<bool, 256> kCsvPlainOnTerminal = csvPlain(true);

// Appends the bytes of text from i on that `plain` lets through as they are; returns where the
// first other byte stands (or the end).
std::size_t appendRun(std::string& out, std::string_view text, std::size_t i,
                      const std::array<bool, 256>& plain)
{
    std::size_t run = i;
    while (run < text.size() && plain[static_cast<unsigned char>(text[run])])
        ++run;
    out.append(text.data() + i, run - i);
    return run;
}

}  // namespace

Output::Output(std::FILE* file) : mFile(file), mTerminal(::isatty(::fileno(file)) == 1)
{
    mBuffer.reserve(kFlushSize * 2);
}

Output::~Output()
{
    write();
}

void Output::append(std::string_view text)
{
    mBuffer.append(text);
}

void Output::appendJsonString(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    mBuffer.push_back('"');
    std::size_t i = 0;
    while (i < text.size()) {
        i = appendRun(mBuffer, text, i, kPlain);
        if (i == text.size())
            break;
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80 && controlLength(text, i) == 2) {
            // A C1 control (U+0080 to U+009F), valid JSON as it is, but not for a terminal.
            mBuffer.append("\\u00");
            mBuffer.push_back(kHex[static_cast<unsigned char>(text[i + 1]) >> 4]);
            mBuffer.push_back(kHex[static_cast<unsigned char>(text[i + 1]) & 0x0F]);
            i += 2;
            continue;
        }
        if (c >= 0x80) {
            const std::size_t length = text::sequenceLength(text, i);
            if (length == 0) {
                mBuffer.append("\\ufffd");
                ++i;
            } else {
                mBuffer.append(text.data() + i, length);
                i += length;
            }
            continue;
        }
        switch (c) {
            case '"':
                mBuffer.append("\\\"");
                break;
            case '\\':
                mBuffer.append("\\\\");
                break;
            case '\n':
                mBuffer.append("\\n");
                break;
            case '\r':
                mBuffer.append("\\r");
                break;
            case '\t':
                mBuffer.append("\\t");
                break;
            case '\b':
                mBuffer.append("\\b");
                break;
            case '\f':
                mBuffer.append("\\f");
                break;
            default:
                mBuffer.append("\\u00");
                mBuffer.push_back(kHex[c >> 4]);
                mBuffer.push_back(kHex[c & 0x0F]);
        }
        ++i;
    }
    mBuffer.push_back('"');
}

void Output::appendCsvField(std::string_view text, bool quoted)
{
    quoted = quoted || text.find_first_of(",\"\r\n") != std::string_view::npos;
    const std::array<bool, 256>& plain = mTerminal ? kCsvPlainOnTerminal : kCsvPlain;
    if (quoted)
        mBuffer.push_back('"');
    std::size_t i = 0;
    while (i < text.size()) {
        i = appendRun(mBuffer, text, i, plain);
        if (i == text.size())
            break;
        if (text[i] == '"') {
            mBuffer.append("\"\"");
            ++i;
        } else if (const std::size_t length = controlLength(text, i)) {
            appendHexEscapes(mBuffer, text, i, length);
            i += length;
        } else {
            mBuffer.push_back(text[i++]);  // 0xC2 starting no C1 control
        }
    }
    if (quoted)
        mBuffer.push_back('"');
}

void Output::flushIfFull()
{
    if (mBuffer.size() >= kFlushSize)
        write();
}

void Output::write()
{
    if (!mBuffer.empty() && std::fwrite(mBuffer.data(), 1, mBuffer.size(), mFile) != mBuffer.size())
        mFailed = true;
    mBuffer.clear();
}

void Output::finish()
{
    write();
    if (std::fflush(mFile) != 0)
        mFailed = true;
    if (mFailed)
        throw std::runtime_error("cannot write to standard output");
}

}  // namespace cli
