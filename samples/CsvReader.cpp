// RFC 4180 reader for the sample data set.
#include "samples/CsvReader.h"

#include <stdexcept>

namespace samples {

namespace {

class CsvParser
{
public:
    explicit CsvParser(std::string_view text) : mText(text) {}

    std::vector<CsvRow> rows()
    {
        std::vector<CsvRow> result;
        while (mPos < mText.size()) {
            if (atLineEnd()) {  // an empty line
                skipLineEnd();
                continue;
            }
            result.push_back(row());
        }
        return result;
    }

private:
    CsvRow row()
    {
        CsvRow row;
        row.line = mLine;
        for (;;) {
            row.cells.push_back(cell());
            if (mPos >= mText.size())
                break;
            if (mText[mPos] == ',') {
                ++mPos;
                continue;
            }
            skipLineEnd();
            break;
        }
        return row;
    }

    CsvCell cell()
    {
        CsvCell cell;
        if (mPos < mText.size() && mText[mPos] == '"') {
            cell.quoted = true;
            const int startLine = mLine;
            ++mPos;
            for (;;) {
                if (mPos >= mText.size())
                    fail(startLine, "a quoted cell is not closed");
                const char c = mText[mPos++];
                if (c == '"') {
                    if (mPos < mText.size() && mText[mPos] == '"') {
                        cell.text += '"';
                        ++mPos;
                        continue;
                    }
                    break;
                }
                if (c == '\n')
                    ++mLine;
                cell.text += c;
            }
            if (mPos < mText.size() && mText[mPos] != ',' && !atLineEnd())
                fail(mLine, "a closing quote must be followed by a comma or the end of the line");
            return cell;
        }
        while (mPos < mText.size() && mText[mPos] != ',' && !atLineEnd())
            cell.text += mText[mPos++];
        return cell;
    }

    bool atLineEnd() const
    {
        return mText[mPos] == '\n' ||
               (mText[mPos] == '\r' && mPos + 1 < mText.size() && mText[mPos + 1] == '\n');
    }

    void skipLineEnd()
    {
        mPos += mText[mPos] == '\r' ? 2 : 1;
        ++mLine;
    }

    [[noreturn]] static void fail(int line, const std::string& what)
    {
        throw std::runtime_error("line " + std::to_string(line) + ": " + what);
    }

    std::string_view mText;
    std::size_t mPos = 0;
    int mLine = 1;
};

}  // namespace

std::vector<CsvRow> parseCsv(std::string_view text)
{
    return CsvParser(text).rows();
}

}  // namespace samples
