// Cursor files: the shipped hand loads with its hotspot; damaged files are refused.
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/GuiApp.h"
#include "tests/support/TempDir.h"
#include "windows/look/CursorFile.h"
#include "windows/look/QtMessageBox.h"

namespace {

std::string shippedHand()
{
    std::ifstream in(QUORVANE_SOURCE_DIR "/assets/HAND-M.CUR", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string patched(std::string bytes, std::size_t offset,
                    std::initializer_list<unsigned char> values)
{
    for (unsigned char value : values)
        bytes[offset++] = static_cast<char>(value);
    return bytes;
}

TEST(CursorFile, HotspotComesFromTheDirectoryEntry)
{
    testsupport::ensureGuiApp();
    testsupport::TempDir dir;
    const std::string hand = shippedHand();
    ASSERT_GT(hand.size(), 22u);
    const auto path = dir.write("h.cur", patched(hand, 10, {3, 0, 4, 0}));
    const QCursor cursor = look::loadCursorFile(QString::fromStdString(path.string()));
    EXPECT_EQ(cursor.hotSpot(), QPoint(3, 4));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
}

TEST(CursorFile, DamagedFilesAreRefused)
{
    testsupport::ensureGuiApp();
    testsupport::TempDir dir;
    const std::string hand = shippedHand();
    struct Case
    {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty_file", ""},
        {"header_only", hand.substr(0, 6)},
        {"icon_not_cursor", patched(hand, 2, {1, 0})},
        {"no_images", patched(hand, 4, {0, 0})},
        {"image_offset_past_end", patched(hand, 18, {0xff, 0xff, 0, 0})},
        {"image_size_past_end", patched(hand, 14, {0, 0, 1, 0})},
        {"hotspot_outside_image", patched(hand, 10, {32, 0, 0, 0})},
        {"cut_inside_image", hand.substr(0, 200)},
        {"image_bytes_garbage", hand.substr(0, 22) + std::string(hand.size() - 22, '\x7f')},
    };
    for (const Case& c : cases) {
        const auto path = dir.write(std::string(c.name) + ".cur", c.bytes);
        EXPECT_THROW(look::loadCursorFile(QString::fromStdString(path.string())),
                     std::runtime_error)
            << c.name;
    }
    EXPECT_THROW(
        look::loadCursorFile(QString::fromStdString((dir.path() / "missing.cur").string())),
        std::runtime_error);
}

TEST(QtMessageBox, ErrorReportBreaksShowAsLines)
{
    EXPECT_EQ(look::displayText(QStringLiteral("Disk full\r\nin X.Y at line 126\r\rPlease email")),
              QStringLiteral("Disk full\nin X.Y at line 126\n\nPlease email"));
}

}  // namespace
