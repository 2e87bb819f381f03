/* The yardstick: N rows x 10 short cells written straight with libxlsxwriter in constant-memory
 * mode, texts formatted before the clock starts. Usage: bench_xlsx_bare ROWS OUT.xlsx [text|number]
 * Prints "bare <mode> <rows> <wall seconds> <CPU seconds>" (CPU time is steadier on a busy
 * machine). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "bench/xlsx/BareWorkbook.h"

#define COLUMNS 10
#define DISTINCT_ROWS 4096

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s ROWS OUT.xlsx [text|number]\n", argv[0]);
        return 2;
    }
    const long rows = atol(argv[1]);
    const int numbers = argc > 3 && strcmp(argv[3], "number") == 0;
    static char texts[DISTINCT_ROWS][COLUMNS][16];
    static double values[DISTINCT_ROWS][COLUMNS];
    for (int r = 0; r < DISTINCT_ROWS; ++r)
        for (int c = 0; c < COLUMNS; ++c) {
            values[r][c] = r * 10.25 + c;
            snprintf(texts[r][c], sizeof texts[r][c], "v%05d-%d", r, c);
        }

    const double start = seconds(CLOCK_MONOTONIC);
    const double startCpu = seconds(CLOCK_PROCESS_CPUTIME_ID);
    lxw_workbook* book = bareWorkbook(argv[2]);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
    for (long r = 0; r < rows; ++r) {
        const int k = (int)(r % DISTINCT_ROWS);
        for (int c = 0; c < COLUMNS; ++c) {
            const lxw_error error =
                numbers
                    ? worksheet_write_number(sheet, (lxw_row_t)r, (lxw_col_t)c, values[k][c], NULL)
                    : worksheet_write_string(sheet, (lxw_row_t)r, (lxw_col_t)c, texts[k][c], NULL);
            if (error) {
                fprintf(stderr, "write failed: %s\n", lxw_strerror(error));
                return 1;
            }
        }
    }
    const lxw_error closed = workbook_close(book);
    if (closed) {
        fprintf(stderr, "close failed: %s\n", lxw_strerror(closed));
        return 1;
    }
    printf("bare %s %ld %.3f %.3f\n", numbers ? "number" : "text", rows,
           seconds(CLOCK_MONOTONIC) - start, seconds(CLOCK_PROCESS_CPUTIME_ID) - startCpu);
    return 0;
}
