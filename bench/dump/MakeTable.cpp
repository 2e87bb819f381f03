// Writes the benchmark table: N records of character, numeric, date, logical, integer and
// memo fields, with varied values, streamed by the engine's table writer.
//
//   bench_dump_make_table /tmp/bench/orders.dbf 1000000
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "components/vfpwriter/TableWriter.h"

namespace {

// A small linear congruential generator: the same table on every run and machine.
class Numbers
{
public:
    std::uint32_t next()
    {
        mState = mState * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(mState >> 33);
    }

private:
    std::uint64_t mState = 42;
};

const char* const kWords[] = {"Alfreds", "Futterkiste", "Berglunds", "snabbköp",  "Blondel",
                              "père",    "Bólido",      "Comidas",   "Bon app'",  "Bottom-Dollar",
                              "Cactus",  "Comidas",     "Centro",    "comercial", "Chop-suey"};
constexpr std::uint32_t kWordCount = sizeof kWords / sizeof kWords[0];

std::string words(Numbers& numbers, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += ' ';
        text += kWords[numbers.next() % kWordCount];
    }
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_dump_make_table TABLE.dbf RECORDS\n");
        return 2;
    }
    const long records = std::strtol(argv[2], nullptr, 10);
    try {
        vfpwriter::TableWriter writer(argv[1], {{"NAME", vfp::FieldType::Character, 20},
                                                {"AMOUNT", vfp::FieldType::Numeric, 10, 2},
                                                {"ORDERED", vfp::FieldType::Date},
                                                {"PAID", vfp::FieldType::Logical},
                                                {"QUANTITY", vfp::FieldType::Integer},
                                                {"NOTES", vfp::FieldType::Memo}});
        Numbers numbers;
        std::vector<vfp::Value> values(6);
        values[0].kind = vfp::Value::Kind::Text;
        values[1].kind = vfp::Value::Kind::Decimal;
        values[2].kind = vfp::Value::Kind::Date;
        values[3].kind = vfp::Value::Kind::Boolean;
        values[4].kind = vfp::Value::Kind::Integer;
        for (long i = 0; i < records; ++i) {
            values[0].bytes = words(numbers, 2).substr(0, 20);
            const std::uint32_t cents = numbers.next() % 10'000'000;
            values[1].bytes = std::to_string(cents / 100) + "." + std::to_string(cents % 100 / 10) +
                              std::to_string(cents % 10);
            values[2].year = 1990 + static_cast<int>(numbers.next() % 35);
            values[2].month = 1 + static_cast<int>(numbers.next() % 12);
            values[2].day = 1 + static_cast<int>(numbers.next() % 28);
            values[3].integer = numbers.next() % 2;
            values[4].integer = static_cast<std::int64_t>(numbers.next() % 200'000) - 100'000;
            // Every fourth memo is empty, as in real tables.
            values[5].kind = i % 4 == 0 ? vfp::Value::Kind::Empty : vfp::Value::Kind::Text;
            values[5].bytes = words(numbers, 1 + static_cast<int>(numbers.next() % 8));
            writer.append(values);
        }
        writer.close();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_dump_make_table: %s\n", error.what());
        return 1;
    }
    return 0;
}
