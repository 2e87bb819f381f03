// Buffered standard output for the commands, with JSON string escaping and CSV fields.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace cli {

class Output
{
public:
    explicit Output(std::FILE* file = stdout);
    ~Output();  // writes what is left, ignoring errors: call finish() to see them
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void append(std::string_view text);
    void append(char c) { mBuffer.push_back(c); }
    // Appends text as a JSON string, quotes included. Valid UTF-8 passes through; quote,
    // backslash and control characters (C0, DEL and C1, so a terminal never receives one) are
    // escaped; an invalid byte becomes \ufffd, so the output is always valid JSON.
    void appendJsonString(std::string_view text);
    // Appends text as one field of a CSV record (RFC 4180): between double quotes, each quote
    // doubled, when `quoted` is asked or the text holds a comma, quote, carriage return or line
    // feed; else as it is. Bytes pass as they are, but on a terminal, where a stranger's bytes
    // would drive it, control characters other than tab and line feed are written \xHH per
    // byte as list writes them.
    void appendCsvField(std::string_view text, bool quoted);
    // Writes the buffer out when it has grown past its flush size.
    void flushIfFull();
    // Writes everything out. Throws std::runtime_error when writing fails.
    void finish();

private:
    void write();

    std::FILE* mFile;
    bool mTerminal;
    std::string mBuffer;
    bool mFailed = false;
};

}  // namespace cli
