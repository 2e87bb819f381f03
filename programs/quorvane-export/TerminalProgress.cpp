// The progress line on a terminal: written with a carriage return and "erase to the end of the
// line" (ESC [ K), which every terminal emulator takes, and kept within the terminal's width so
// that it never wraps onto a second line the next redraw could not reach.
#include "programs/quorvane-export/TerminalProgress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

#include "components/text/Utf8.h"
#include "programs/quorvane-export/TerminalText.h"

namespace cli {

namespace {

constexpr int kDefaultColumns = 80;  // when the terminal does not say its width
constexpr char kEraseLine[] = "\r\033[K";

int terminalColumns(int descriptor)
{
    winsize size{};
    if (::ioctl(descriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return kDefaultColumns;
}

// "12345678" as "12,345,678".
std::string grouped(long value)
{
    std::string digits = std::to_string(value);
    for (auto at = static_cast<long>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

// The start of UTF-8 text of at most `characters` characters.
std::string_view leadingCharacters(std::string_view text, long characters)
{
    std::size_t i = 0;
    for (; i < text.size() && characters > 0; --characters) {
        const std::size_t length = text::sequenceLength(text, i);
        i += length == 0 ? 1 : length;
    }
    return text.substr(0, std::min(i, text.size()));
}

}  // namespace

std::string progressLine(int table, int tables, const QString& name, long records, int columns)
{
    const std::string head =
        "table " + std::to_string(table) + " of " + std::to_string(tables) + ", ";
    const std::string tail = ": " + grouped(records) + (records == 1 ? " record" : " records");
    // One column stays free: a line that fills the last one makes some terminals wrap.
    const long width = std::max(columns - 1, 0);
    const long room = width - long(head.size()) - long(tail.size());  // for the name
    constexpr std::string_view kCut = "...";
    std::string shown = withoutControls(name.toUtf8().toStdString());
    if (leadingCharacters(shown, room).size() < shown.size())
        shown = room > long(kCut.size())
                    ? std::string(leadingCharacters(shown, room - long(kCut.size()))) +
                          std::string(kCut)
                    : std::string();
    return std::string(leadingCharacters(head + shown + tail, width));
}

TerminalProgress::TerminalProgress(const foxpro::TableList& tables, int descriptor,
                                   std::chrono::milliseconds quietStart)
    : mTables(tables),
      mDescriptor(descriptor),
      mTerminal(::isatty(descriptor) == 1),
      mQuietStart(quietStart)
{}

void TerminalProgress::start()
{
    mStarted = Clock::now();
}

void TerminalProgress::position(const exporting::ExportPosition& at)
{
    if (!mTerminal || at.table < 1 || std::size_t(at.table) > mTables.size())
        return;
    const Clock::time_point now = Clock::now();
    if (now - mStarted < mQuietStart || (mShown && now - mDrawn < kRedraw))
        return;
    mDrawn = now;
    show(progressLine(at.table, at.tables, mTables[std::size_t(at.table) - 1].text,
                      at.recordsCopied, terminalColumns(mDescriptor)));
}

void TerminalProgress::show(const std::string& line)
{
    const std::string text = kEraseLine + line;
    // A terminal that takes no more output costs the line, never the export.
    if (::write(mDescriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size()))
        mShown = true;
}

void TerminalProgress::clear()
{
    if (!mShown)
        return;
    mShown = false;
    static_cast<void>(::write(mDescriptor, kEraseLine, sizeof kEraseLine - 1));
}

}  // namespace cli
