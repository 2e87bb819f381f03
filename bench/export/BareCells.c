/* The same-cells yardstick: the cells an export of bench_export_make_table's table writes (the
 * names row, then per record a number, three blank-padded texts, two numbers, a date, a boolean,
 * a date-time and a memo text on every 10th record), written straight with libxlsxwriter in
 * constant-memory mode, with every value prepared before the clock starts.
 * Usage: bench_export_bare_cells RECORDS OUT.xlsx
 * Prints "bare-cells <records> <wall seconds> <CPU seconds>". */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "bench/xlsx/BareWorkbook.h"

#define DISTINCT 4096

static const char* const kNames[] = {"Zoë Müller", "José Ortega", "Ågot Berg",     "Chloé Martin",
                                     "Øyvind Lie", "Ana Núñez",   "Françoise Roy", "Jürgen Stahl"};
static const char* const kCities[] = {"Zürich", "Köln", "São Paulo", "Malmö", "Besançon", "Tromsø"};
static const char* const kFields[] = {"id",  "code", "name",   "city",    "amount",
                                      "qty", "born", "active", "updated", "notes"};

struct Row
{
    char code[16], name[64], city[48], notes[160];
    double amount, qty, born, updated;
    int active;
};
static struct Row rows[DISTINCT];

/* Pads text with blanks to width characters, as a FoxPro character field holds it. */
static void padded(char* out, size_t size, const char* text, int width)
{
    int characters = 0;
    for (const char* p = text; *p; ++p)
        characters += ((unsigned char)*p & 0xC0) != 0x80;
    snprintf(out, size, "%s%*s", text, width - characters, "");
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s RECORDS OUT.xlsx\n", argv[0]);
        return 2;
    }
    const long records = atol(argv[1]);
    srand(20210831);
    for (int r = 0; r < DISTINCT; ++r) {
        struct Row* row = &rows[r];
        snprintf(row->code, sizeof row->code, "C%-9d", 100000 + rand() % 900000);
        char name[48];
        snprintf(name, sizeof name, "%s %d", kNames[rand() % 8], 100000 + r);
        padded(row->name, sizeof row->name, name, 40);
        padded(row->city, sizeof row->city, kCities[rand() % 6], 25);
        row->amount = (rand() % 100000000) / 100.0;
        row->qty = rand() % 100000;
        row->born = 10958 + rand() % 29000; /* serial days since 1899-12-30 */
        row->updated = 36526 + rand() % 9000 + (rand() % 86400) / 86400.0;
        row->active = rand() % 2;
        snprintf(row->notes, sizeof row->notes,
                 "Rückruf erbeten; Lieferung nach %s über das Lager, Rechnung folgt. Notiz %d",
                 kCities[rand() % 6], r);
    }

    const double start = seconds(CLOCK_MONOTONIC);
    const double startCpu = seconds(CLOCK_PROCESS_CPUTIME_ID);
    lxw_workbook* book = bareWorkbook(argv[2]);
    lxw_format* date = workbook_add_format(book);
    lxw_format* dateTime = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd");
    format_set_num_format(dateTime, "yyyy-mm-dd hh:mm:ss");
    lxw_worksheet* sheet = workbook_add_worksheet(book, "people");
    lxw_error error = LXW_NO_ERROR;
    for (lxw_col_t c = 0; c < 10; ++c)
        error |= worksheet_write_string(sheet, 0, c, kFields[c], NULL);
    for (long r = 1; r <= records; ++r) {
        const struct Row* row = &rows[r % DISTINCT];
        const lxw_row_t at = (lxw_row_t)r;
        error |= worksheet_write_number(sheet, at, 0, (double)r, NULL);
        error |= worksheet_write_string(sheet, at, 1, row->code, NULL);
        error |= worksheet_write_string(sheet, at, 2, row->name, NULL);
        error |= worksheet_write_string(sheet, at, 3, row->city, NULL);
        error |= worksheet_write_number(sheet, at, 4, row->amount, NULL);
        error |= worksheet_write_number(sheet, at, 5, row->qty, NULL);
        error |= worksheet_write_number(sheet, at, 6, row->born, date);
        error |= worksheet_write_boolean(sheet, at, 7, row->active, NULL);
        error |= worksheet_write_number(sheet, at, 8, row->updated, dateTime);
        if (r % 10 == 0)
            error |= worksheet_write_string(sheet, at, 9, row->notes, NULL);
    }
    if (error || workbook_close(book) != LXW_NO_ERROR) {
        fprintf(stderr, "writing %s failed\n", argv[2]);
        return 1;
    }
    printf("bare-cells %ld %.3f %.3f\n", records, seconds(CLOCK_MONOTONIC) - start,
           seconds(CLOCK_PROCESS_CPUTIME_ID) - startCpu);
    return 0;
}
