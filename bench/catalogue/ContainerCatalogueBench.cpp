// Times the catalogue of database containers of 1,000, 40,000 and 160,000 tables (or the
// sizes given), and opening every one of their tables by name as the export does, so the time
// per table shows whether reading a container grows with its size.
//
//   bench_container_catalogue [FOLDER] [TABLES ...]
//
// Writes each container with its member tables (two fields each, empty) into FOLDER (a new
// temporary folder when omitted, removed afterwards), or takes it from there when a previous
// run left it. Every other table file is named in capitals while the container stores its
// path in small letters, as with containers copied from Windows, so the member files are found
// ignoring case. Prints wall times and microseconds per table.
//
// Set in the environment: BENCH_EXACT_CASE names every file as stored (in folders of their
// own); BENCH_FREE_TABLES also lists the container's folder and opens each member as a free
// table, which reads its long field names from the container it links back to.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <QString>

#include "bench/PrintedReports.h"
#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "modules/foxpro/Foxpro.h"

namespace {

namespace stdfs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string tableName(int i)
{
    char name[16];
    std::snprintf(name, sizeof name, "t%06d", i);
    return name;
}

std::string upperCased(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The container of `tables` members in folder, written unless a previous run left it.
stdfs::path container(const stdfs::path& folder, int tables, bool exactCase)
{
    const stdfs::path dbc = folder / "shop.dbc";
    if (stdfs::exists(dbc))
        return dbc;
    stdfs::create_directories(folder);
    const auto start = Clock::now();
    vfpwriter::ContainerWriter writer(dbc);
    for (int i = 0; i < tables; ++i) {
        const std::string file = tableName(i) + ".dbf";
        writer
            .createTable(tableName(i), file,
                         {{"id", vfp::FieldType::Integer}, {"name", vfp::FieldType::Character, 20}})
            .close();
        if (i % 2 == 1 && !exactCase)
            stdfs::rename(folder / file, folder / upperCased(file));
    }
    writer.close();
    std::printf("%7d tables written in %.1f s\n", tables, secondsSince(start));
    std::fflush(stdout);
    return dbc;
}

foxpro::ConnectionSettings containerSettings(const stdfs::path& dbc)
{
    foxpro::ConnectionSettings settings;
    settings.isContainer = true;
    settings.containerPath = QString::fromStdString(dbc.string());
    return settings;
}

foxpro::ConnectionSettings folderSettings(const stdfs::path& folder)
{
    foxpro::ConnectionSettings settings;
    settings.isContainer = false;
    settings.folderPath = QString::fromStdString(folder.string());
    return settings;
}

// Lists the source as the catalogue does, then opens each table by its query as the export
// does (its fields, no rows), and prints both times.
void timeSource(const char* label, const foxpro::ConnectionSettings& settings, int tables)
{
    PrintedFailures failures;
    auto start = Clock::now();
    foxpro::TableList list;
    foxpro::AddTablesToFoxproListbox(list, foxpro::BuildFoxproConnectionString(settings), settings,
                                     failures);
    const double listed = secondsSince(start);

    start = Clock::now();
    database::Connection connection;
    connection.Open(foxpro::BuildFoxproConnectionString(settings));
    std::size_t opened = 0;
    for (const foxpro::TableItem& item : list) {
        database::Recordset table;
        table.Open(QStringLiteral("SELECT * FROM `") + item.query + QLatin1Char('`'), connection);
        opened += table.FieldCount() == 2 ? 1 : 0;
    }
    const double openedIn = secondsSince(start);
    std::printf(
        "%7d tables, %-9s list %6zu in %8.3f s (%6.1f us/table)   open each %6zu in "
        "%8.3f s (%6.1f us/table)\n",
        tables, label, list.size(), listed, listed * 1e6 / tables, opened, openedIn,
        openedIn * 1e6 / tables);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool ownFolder = argc < 2;
    const stdfs::path root = ownFolder ? stdfs::temp_directory_path() / "quorvane-bench-containers"
                                       : stdfs::path(argv[1]);
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.push_back(std::max(1, std::atoi(argv[i])));
    if (sizes.empty())
        sizes = {1'000, 40'000, 160'000};
    const bool asFreeTables = std::getenv("BENCH_FREE_TABLES") != nullptr;
    const bool exactCase = std::getenv("BENCH_EXACT_CASE") != nullptr;
    for (const int tables : sizes) {
        const stdfs::path dbc = container(
            root / (std::to_string(tables) + (exactCase ? "-exact" : "")), tables, exactCase);
        timeSource("container", containerSettings(dbc), tables);
        if (asFreeTables)
            timeSource("folder", folderSettings(dbc.parent_path()), tables);
    }
    if (ownFolder)
        stdfs::remove_all(root);
    return 0;
}
