// What one .xlsx sheet holds; the writer refuses anything beyond.
#pragma once

#include <cstddef>

namespace xlsx {

constexpr int kMaxRows = 1'048'576;             // rows 0 .. 1,048,575
constexpr int kMaxColumns = 16'384;             // columns 0 .. 16,383 (A to XFD)
constexpr std::size_t kMaxTextLength = 32'767;  // code points of one cell's text
constexpr int kMaxSheetNameLength = 31;         // code points of a sheet name
constexpr double kMaxColumnWidth = 255;         // characters; wider garbles the file

}  // namespace xlsx
