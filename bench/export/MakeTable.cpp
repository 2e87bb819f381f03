// Writes the export benchmark's table: ID I, CODE C(10), NAME C(40), CITY C(25), AMOUNT N(12,2),
// QTY N(6,0), BORN D, ACTIVE L, UPDATED T, NOTES M (a memo on every 10th record), Windows-1252
// with accented text, the same on every run.
//
//   bench_export_make_table /tmp/bench/people.dbf 200000
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <random>
#include <string>
#include <vector>

#include "components/vfpwriter/TableWriter.h"

namespace {

using Kind = vfp::Value::Kind;

const std::vector<std::string> kNames = {"Zoë Müller",    "José Ortega", "Ågot Berg",
                                         "Chloé Martin",  "Øyvind Lie",  "Ana Núñez",
                                         "Françoise Roy", "Jürgen Stahl"};
const std::vector<std::string> kCities = {"Zürich", "Köln",     "São Paulo",
                                          "Malmö",  "Besançon", "Tromsø"};

vfp::Value of(Kind kind)
{
    vfp::Value value;
    value.kind = kind;
    return value;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_export_make_table TABLE.dbf RECORDS\n");
        return 2;
    }
    const long records = std::strtol(argv[2], nullptr, 10);
    try {
        // 512-byte memo blocks (SET BLOCKSIZE TO 1): with FoxPro's default of 64, LibreOffice
        // 7.4's dBase import runs out of memory on this table from some 100,000 records on.
        vfpwriter::WriteOptions options;
        options.memoBlockSize = 512;
        vfpwriter::TableWriter writer(argv[1],
                                      {{"ID", vfp::FieldType::Integer},
                                       {"CODE", vfp::FieldType::Character, 10},
                                       {"NAME", vfp::FieldType::Character, 40},
                                       {"CITY", vfp::FieldType::Character, 25},
                                       {"AMOUNT", vfp::FieldType::Numeric, 12, 2},
                                       {"QTY", vfp::FieldType::Numeric, 6, 0},
                                       {"BORN", vfp::FieldType::Date},
                                       {"ACTIVE", vfp::FieldType::Logical},
                                       {"UPDATED", vfp::FieldType::DateTime},
                                       {"NOTES", vfp::FieldType::Memo}},
                                      options);
        std::mt19937 random(20210831);
        auto pick = [&](int below) {
            return static_cast<int>(random() % static_cast<unsigned>(below));
        };
        std::vector<vfp::Value> values = {of(Kind::Integer), of(Kind::Text),    of(Kind::Text),
                                          of(Kind::Text),    of(Kind::Decimal), of(Kind::Decimal),
                                          of(Kind::Date),    of(Kind::Boolean), of(Kind::DateTime),
                                          of(Kind::Empty)};
        for (long id = 1; id <= records; ++id) {
            values[0].integer = id;
            values[1].bytes.assign(1, 'C').append(std::to_string(100000 + pick(900000)));
            values[2].bytes = kNames[pick(int(kNames.size()))] + " " + std::to_string(id);
            values[3].bytes = kCities[pick(int(kCities.size()))];
            const int cents = pick(100'000'000);
            values[4].bytes =
                std::to_string(cents / 100) + "." + std::to_string(100 + cents % 100).substr(1);
            values[5].bytes = std::to_string(pick(100'000));
            values[6].year = 1930 + pick(80);
            values[6].month = 1 + pick(12);
            values[6].day = 1 + pick(28);
            values[7].integer = pick(2);
            values[8].year = 2000 + pick(25);
            values[8].month = 1 + pick(12);
            values[8].day = 1 + pick(28);
            values[8].hour = pick(24);
            values[8].minute = pick(60);
            values[8].second = pick(60);
            values[9] = of(id % 10 == 0 ? Kind::Text : Kind::Empty);
            if (id % 10 == 0)
                values[9].bytes = "Rückruf erbeten; Lieferung nach " +
                                  kCities[pick(int(kCities.size()))] +
                                  " über das Lager, Rechnung folgt. Notiz " + std::to_string(id);
            writer.append(values);
        }
        writer.close();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_export_make_table: %s\n", error.what());
        return 1;
    }
    return 0;
}
