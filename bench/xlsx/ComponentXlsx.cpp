// The same N rows x 10 short cells as BareXlsx.c, written through the spreadsheet component the
// way the export does: one typed write per cell (text, or decimal numbers), then AutoFit.
// Usage: bench_xlsx_component ROWS OUT.xlsx [text|number]
// Prints "component <mode> <rows> <wall seconds> <CPU seconds>".
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "bench/Clock.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/XlsxWorkbook.h"

namespace {

constexpr int kColumns = 10;
constexpr int kDistinctRows = 4096;

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ROWS OUT.xlsx [text|number]\n", argv[0]);
        return 2;
    }
    const long rows = std::atol(argv[1]);
    const bool numbers = argc > 3 && std::strcmp(argv[3], "number") == 0;
    std::vector<std::array<std::string, kColumns>> texts(kDistinctRows);
    for (int r = 0; r < kDistinctRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            char text[32];
            if (numbers)
                std::snprintf(text, sizeof text, "%.2f", r * 10.25 + c);
            else
                std::snprintf(text, sizeof text, "v%05d-%d", r, c);
            texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = text;
        }
    }

    const std::filesystem::path file = argv[2];
    const auto start = std::chrono::steady_clock::now();
    const double startCpu = seconds(CLOCK_PROCESS_CPUTIME_ID);
    try {
        const int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (descriptor < 0) {
            std::perror(argv[2]);
            return 1;
        }
        spreadsheet::XlsxWorkbook book(descriptor, file.string());
        spreadsheet::Worksheet& sheet = book.ActiveSheet();
        for (long r = 0; r < rows; ++r) {
            const auto& row = texts[static_cast<std::size_t>(r % kDistinctRows)];
            for (int c = 0; c < kColumns; ++c) {
                const std::string& text = row[static_cast<std::size_t>(c)];
                if (numbers)
                    sheet.writeDecimal(static_cast<int>(r + 1), c + 1, text);
                else
                    sheet.writeText(static_cast<int>(r + 1), c + 1, text);
            }
        }
        sheet.ColumnsAutoFit();
        book.close();
        ::close(descriptor);
    } catch (const spreadsheet::SpreadsheetError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("component %s %ld %.3f %.3f\n", numbers ? "number" : "text", rows, elapsed.count(),
                seconds(CLOCK_PROCESS_CPUTIME_ID) - startCpu);
    return 0;
}
