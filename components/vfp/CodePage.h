// Code pages of FoxPro tables: the header's code-page mark, and text conversion between a
// code page and UTF-8. Single-byte pages go through a 256-entry table built once per page;
// multi-byte pages (932, 936, 949, 950) through Qt's ICU-backed QStringDecoder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vfp {

// The code page of a table without a code-page mark unless the caller names another:
// Windows-1252, as FoxPro read such tables on a western Windows.
inline constexpr int kDefaultCodePage = 1252;

// The code page a mark stands for (FoxPro marks and the dBase language-driver ids), or 0 for
// mark 0 (not marked) and for marks nobody knows.
int codePageForMark(std::uint8_t mark);
// The FoxPro mark of a code page, or 0 when FoxPro has none.
std::uint8_t markForCodePage(int codePage);
// True when the engine can decode this code page (437, 620, 737, 850, 852, 857, 861, 865, 866,
// 874, 895, 932, 936, 949, 950, 1250-1257, 10000, 10006, 10007, 10029).
bool isSupportedCodePage(int codePage);
// Every code page isSupportedCodePage() accepts, in ascending order.
std::vector<int> supportedCodePages();

// Decodes text of one code page into UTF-8. Every byte gives a character: bytes the page
// leaves undefined decode as Windows does (0x81 in 1252 is U+0081), nothing is dropped;
// incomplete or invalid multi-byte sequences give U+FFFD. Not thread-safe; cheap to create
// for single-byte pages (tables are shared).
class TextDecoder
{
public:
    // Throws VfpError for a code page isSupportedCodePage() refuses.
    explicit TextDecoder(int codePage);
    ~TextDecoder();
    TextDecoder(TextDecoder&&) noexcept;
    TextDecoder& operator=(TextDecoder&&) noexcept;

    int codePage() const;
    // Replaces out with the UTF-8 form of bytes; reuses out's capacity.
    void decode(std::string_view bytes, std::string& out);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Encodes UTF-8 into a code page (for the table writer); characters the page lacks become '?'.
std::string encodeText(std::string_view utf8, int codePage);

}  // namespace vfp
