// Reads a generated Visual FoxPro table of 1,000,000 records (ID I, CODE C(10), NAME C(40),
// AMOUNT N(12,2), BORN D, ACTIVE L, NOTES M with a memo on every tenth record) and reports
// records per second for the live-record count, a full decode of every field, and a decode
// of the fixed fields only.
//
//   bench_vfp [--benchmark_filter=...]      (QUORVANE_BENCH_TABLE=path.dbf reads that table)
//
// The table is written once per run into a temporary folder with the engine's own writer.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "components/vfp/RecordReader.h"
#include "components/vfpwriter/TableWriter.h"

namespace {

constexpr int kRecords = 1'000'000;
constexpr int kMemoEvery = 10;

struct GeneratedTable
{
    std::filesystem::path folder;
    std::filesystem::path dbf;

    GeneratedTable()
    {
        if (const char* given = std::getenv("QUORVANE_BENCH_TABLE")) {
            dbf = given;
            return;
        }
        folder = std::filesystem::temp_directory_path() /
                 ("quorvane-bench-vfp-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        dbf = folder / "orders.dbf";
        using vfp::FieldType;
        using V = vfp::Value;
        vfpwriter::TableWriter writer(dbf, {{"ID", FieldType::Integer},
                                            {"CODE", FieldType::Character, 10},
                                            {"NAME", FieldType::Character, 40},
                                            {"AMOUNT", FieldType::Numeric, 12, 2},
                                            {"BORN", FieldType::Date},
                                            {"ACTIVE", FieldType::Logical},
                                            {"NOTES", FieldType::Memo}});
        const auto label = [](const char* prefix, int n, const char* suffix = "") {
            std::string text(prefix);
            text += std::to_string(n);
            text += suffix;
            return text;
        };
        std::vector<V> row(7);
        for (int n = 0; n < kRecords; ++n) {
            row[0] = V::fromInteger(n);
            row[1] = V::fromText(label("C", n % 100000));
            row[2] =
                V::fromText(n % 7 == 0 ? "Müller & Søn, Zürich" : label("Customer number ", n));
            row[3] = V::fromDouble(n * 1.25 - 5000.0);
            row[4] = V::fromDate(1950 + n % 60, 1 + n % 12, 1 + n % 28);
            row[5] = V::fromBoolean(n % 2 == 0);
            row[6] = n % kMemoEvery == 0
                         ? V::fromText(label("Note for record ", n, ": café crème, déjà vu."))
                         : V{};
            writer.append(row, n % 50 == 49);
        }
        writer.close();
    }
    ~GeneratedTable()
    {
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }
};

const GeneratedTable& table()
{
    static const GeneratedTable generated;
    return generated;
}

void BM_LiveRecordCount(benchmark::State& state)
{
    std::uint32_t live = 0;
    for (auto _ : state) {
        const vfp::Table opened =
            vfp::Table::open(table().dbf);  // the count is remembered per Table
        live = opened.liveRecordCount();
        benchmark::DoNotOptimize(live);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * live);
}

void BM_DecodeEveryField(benchmark::State& state)
{
    std::int64_t records = 0;
    std::vector<vfp::Value> values;
    for (auto _ : state) {
        const vfp::Table opened = vfp::Table::open(table().dbf);
        vfp::RecordReader reader(opened);
        while (reader.next()) {
            reader.readAll(values);
            benchmark::DoNotOptimize(values.data());
            ++records;
        }
    }
    state.SetItemsProcessed(records);
}

void BM_DecodeFixedFieldsOnly(benchmark::State& state)
{
    std::int64_t records = 0;
    vfp::Value value;
    for (auto _ : state) {
        const vfp::Table opened = vfp::Table::open(table().dbf);
        vfp::RecordReader reader(opened);
        const int memo = opened.fieldIndex("NOTES");
        while (reader.next()) {
            for (int i = 0; i < static_cast<int>(opened.fields().size()); ++i) {
                if (i == memo)
                    continue;
                reader.read(i, value);
                benchmark::DoNotOptimize(value.bytes.data());
            }
            ++records;
        }
    }
    state.SetItemsProcessed(records);
}

BENCHMARK(BM_LiveRecordCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeEveryField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeFixedFieldsOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    table();  // written before the clock starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
