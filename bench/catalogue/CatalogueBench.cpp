// Times the table catalogue of a generated tree of 10,000 folders holding 50,000 files, 5,000
// of them tables (empty files named *.dbf: the catalogue only lists them).
//
//   bench_catalogue [FOLDER] [RUNS]
//
// Builds the tree in FOLDER (a new temporary folder when omitted, removed afterwards), then
// runs the walk alone and the whole catalogue RUNS times each (default 5) and prints the
// median, fastest and slowest wall times. The first run reads a cold tree only when the page
// cache was dropped beforehand.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QStringList>

#include "bench/PrintedReports.h"
#include "modules/foxpro/Foxpro.h"
#include "modules/fs/AddFolder.h"

namespace {

namespace stdfs = std::filesystem;

constexpr int kFolders = 10'000;
constexpr int kFiles = 50'000;
constexpr int kTableEvery = 10;  // one file in ten is a table: 5,000 tables
constexpr int kFanOut = 10;      // sub-folders per folder, filled level by level

// Folders in level order, kFanOut below each, until kFolders exist; files dealt round-robin.
void buildTree(const stdfs::path& root)
{
    std::vector<stdfs::path> folders;
    folders.reserve(kFolders);
    for (std::size_t parent = 0; folders.size() < kFolders; ++parent) {
        const stdfs::path base = parent == 0 ? root : folders[parent - 1];
        for (int i = 0; i < kFanOut && folders.size() < kFolders; ++i) {
            folders.push_back(base / ("Folder " + std::to_string(folders.size())));
            stdfs::create_directory(folders.back());
        }
    }
    for (int i = 0; i < kFiles; ++i) {
        const stdfs::path& folder = folders[static_cast<std::size_t>(i) % folders.size()];
        const char* extension = i % kTableEvery != 0 ? ".txt" : i % 20 == 0 ? ".DBF" : ".dbf";
        std::ofstream(folder / ("file" + std::to_string(i) + extension));
    }
}

template <class Work>
void timeRuns(const char* label, int runs, Work work)
{
    std::vector<double> seconds;
    std::size_t count = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        count = work();
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-10s %6zu found   median %.3f s   fastest %.3f s   slowest %.3f s\n", label,
                count, seconds[seconds.size() / 2], seconds.front(), seconds.back());
}

}  // namespace

int main(int argc, char** argv)
{
    const bool ownFolder = argc < 2;
    const stdfs::path root = ownFolder ? stdfs::temp_directory_path() / "quorvane-bench-catalogue"
                                       : stdfs::path(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (!stdfs::exists(root / "Folder 0")) {
        stdfs::create_directories(root);
        std::printf("building %d folders and %d files in %s\n", kFolders, kFiles, root.c_str());
        buildTree(root);
    }
    const QString folder = QString::fromStdString(root.string());

    PrintedFailures failures;
    timeRuns("walk", runs, [&] {
        QStringList folders{folder + QLatin1Char('/')};
        fs::GetSubDirectories2016(folders, true, failures);
        return static_cast<std::size_t>(folders.size());
    });
    timeRuns("catalogue", runs, [&] {
        foxpro::ConnectionSettings settings;
        settings.isContainer = false;
        settings.folderPath = folder;
        foxpro::TableList tables;
        foxpro::AddTablesToFoxproListbox(tables, foxpro::BuildFoxproConnectionString(settings),
                                         settings, failures);
        return tables.size();
    });
    if (ownFolder)
        stdfs::remove_all(root);
    return 0;
}
