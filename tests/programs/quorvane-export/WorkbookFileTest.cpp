// The batch command's -o file and the workbook's files as a user's machine misbehaves: a full
// disk, more tables than the usual limit of open files, a kill -9, a link swapped in at the
// target, a target that is a folder or has its own permissions.
#include <fstream>
#include <functional>
#include <thread>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QProcess>

#include "tests/support/RunCommand.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/XlsxReader.h"

namespace {

namespace fs = std::filesystem;

const QString kExportBinary = QStringLiteral(QUORVANE_EXPORT_BINARY);

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class WorkbookFileTest : public ::testing::Test
{
protected:
    QString source() const { return QString::fromStdString((dir.path() / "tables").string()); }
    fs::path out() const { return dir.path() / "out" / "orders.xlsx"; }

    testsupport::TempDir dir;
    const bool made =
        fs::create_directories(dir.path() / "tables") && fs::create_directories(dir.path() / "out");
};

struct TargetCase
{
    const char* name;
    std::function<void(const fs::path& target, const fs::path& elsewhere)> prepare;
    fs::perms permissions;  // of the workbook under the target name
};

void PrintTo(const TargetCase& c, std::ostream* out)
{
    *out << c.name;
}

class TargetTest : public WorkbookFileTest, public ::testing::WithParamInterface<TargetCase>
{
};

TEST_P(TargetTest, WorkbookTakesTheNameWithThePermissionsExpected)
{
    dbtest::writeNamesTable(dir.path() / "tables", "orders", 3);
    const fs::path elsewhere = dir.path() / "elsewhere";
    std::ofstream(elsewhere) << "keep";
    fs::permissions(elsewhere, fs::perms::owner_read | fs::perms::owner_write);
    GetParam().prepare(out(), elsewhere);
    const mode_t mask = ::umask(022);
    const testsupport::CommandOutcome run = testsupport::runCommand(
        kExportBinary, {QStringLiteral("export"), source(), QStringLiteral("-o"),
                        QString::fromStdString(out().string())});
    ::umask(mask);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(out())));
    EXPECT_EQ(fs::status(out()).permissions(), GetParam().permissions);
    EXPECT_EQ(testsupport::readXlsx(out()).names(), std::vector<std::string>{"orders"});
    EXPECT_EQ(readFile(elsewhere), "keep");
    EXPECT_EQ(fs::status(elsewhere).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(namesIn(dir.path() / "out"), std::vector<std::string>{"orders.xlsx"});
}

INSTANTIATE_TEST_SUITE_P(
    Targets, TargetTest,
    ::testing::Values(TargetCase{"new_file_gets_the_umask_permissions", [](auto&, auto&) {},
                                 fs::perms::owner_read | fs::perms::owner_write |
                                     fs::perms::group_read | fs::perms::others_read},
                      TargetCase{"private_file_stays_private",
                                 [](const fs::path& target, auto&) {
                                     std::ofstream(target) << "old";
                                     fs::permissions(
                                         target, fs::perms::owner_read | fs::perms::owner_write);
                                 },
                                 fs::perms::owner_read | fs::perms::owner_write},
                      TargetCase{"read_only_file_stays_read_only",
                                 [](const fs::path& target, auto&) {
                                     std::ofstream(target) << "old";
                                     fs::permissions(target,
                                                     fs::perms::owner_read | fs::perms::group_read);
                                 },
                                 fs::perms::owner_read | fs::perms::group_read},
                      TargetCase{"link_is_replaced_not_followed",
                                 [](const fs::path& target, const fs::path& elsewhere) {
                                     fs::create_symlink(elsewhere, target);
                                 },
                                 fs::perms::owner_read | fs::perms::owner_write |
                                     fs::perms::group_read | fs::perms::others_read}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(WorkbookFileTest, TargetNameOfTwoHundredFiftyBytesIsTaken)
{
    dbtest::writeNamesTable(dir.path() / "tables", "orders", 3);
    const fs::path target = dir.path() / "out" / (std::string(245, 'n') + ".xlsx");
    const testsupport::CommandOutcome run = testsupport::runCommand(
        kExportBinary, {QStringLiteral("export"), source(), QStringLiteral("-o"),
                        QString::fromStdString(target.string())});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(namesIn(dir.path() / "out"), std::vector<std::string>{target.filename().string()});
}

TEST_F(WorkbookFileTest, FolderTargetIsRefusedBeforeAnyTableIsRead)
{
    dbtest::writeNamesTable(dir.path() / "tables", "orders", 3);
    const testsupport::CommandOutcome run = testsupport::runCommand(
        kExportBinary, {QStringLiteral("export"), source(), QStringLiteral("-o"),
                        QString::fromStdString((dir.path() / "out").string())});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(
        run.err, (dir.path() / "out").string() + " is a folder; name a file for the workbook."))
        << run.err;
    EXPECT_FALSE(contains(run.err, "Processing")) << run.err;
    EXPECT_TRUE(fs::is_empty(dir.path() / "out"));
}

// An export long enough to be caught while it writes; returns once its unnamed workbook file
// is open (seen among its descriptors as "FOLDER/#INODE (deleted)").
class RunningExport
{
public:
    RunningExport(const QString& source, const fs::path& target)
    {
        mProcess.start(kExportBinary, {QStringLiteral("export"), source, QStringLiteral("-o"),
                                       QString::fromStdString(target.string())});
        mProcess.waitForStarted();
        const std::string unnamed = target.parent_path().string() + "/#";
        const fs::path descriptors = "/proc/" + std::to_string(mProcess.processId()) + "/fd";
        for (int attempt = 0; attempt < 3000 && !mWriting; ++attempt) {
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(descriptors, error)) {
                const fs::path link = fs::read_symlink(entry.path(), error);
                mWriting = mWriting || (!error && link.string().starts_with(unnamed));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ~RunningExport() { mProcess.waitForFinished(120'000); }

    bool writing() const { return mWriting; }
    bool stillRunning() const { return mProcess.state() == QProcess::Running; }
    void kill() { ::kill(static_cast<pid_t>(mProcess.processId()), SIGKILL); }
    int finish()
    {
        mProcess.waitForFinished(120'000);
        return mProcess.exitStatus() == QProcess::NormalExit ? mProcess.exitCode() : -1;
    }

private:
    QProcess mProcess;
    bool mWriting = false;
};

TEST_F(WorkbookFileTest, KilledExportLeavesNothingBesideTheTarget)
{
    dbtest::writeNamesTable(dir.path() / "tables", "orders", 300'000);
    std::ofstream(out()) << "before";
    RunningExport running(source(), out());
    ASSERT_TRUE(running.writing());
    ASSERT_TRUE(running.stillRunning()) << "the export ended before it could be killed";
    running.kill();
    EXPECT_EQ(running.finish(), -1);
    EXPECT_EQ(namesIn(dir.path() / "out"), std::vector<std::string>{"orders.xlsx"});
    EXPECT_EQ(readFile(out()), "before");
}

TEST_F(WorkbookFileTest, LinkSwappedInDuringTheExportIsReplacedNotWrittenThrough)
{
    dbtest::writeNamesTable(dir.path() / "tables", "orders", 300'000);
    const fs::path victim = dir.path() / "victim";
    std::ofstream(victim) << "secret";
    fs::permissions(victim, fs::perms::owner_read | fs::perms::owner_write);
    RunningExport running(source(), out());
    ASSERT_TRUE(running.writing());
    fs::create_symlink(victim, out());
    ASSERT_EQ(running.finish(), 0);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(out())));
    EXPECT_EQ(readFile(victim), "secret");
    EXPECT_EQ(fs::status(victim).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

// A small disk: a tmpfs of its own, mounted in a user and mount namespace (no privilege needed
// where the kernel allows them), filled up to a few KiB. It holds an old out.xlsx; what stays
// of it and the disk's listing are copied out for the test.
constexpr char kSmallDiskScript[] = R"(
disk=$1 results=$2; shift 2
mount -t tmpfs -o size=2m quorvane-test "$disk" || exit 77
mkdir "$disk/cache" && printf before > "$disk/out.xlsx"
cat /dev/zero > "$disk/filler" 2> /dev/null
truncate -s -32K "$disk/filler"
"$@"; status=$?
cp "$disk/out.xlsx" "$results/kept"
(cd "$disk" && find . | sort) > "$results/listing"
exit $status
)";

struct Places
{
    QString disk;     // the small one
    QString healthy;  // a folder on a disk with room
    QString bin;      // holds a stand-in soffice
    QString source;   // the tables
};

struct FullDiskCase
{
    const char* name;
    std::function<QStringList(const Places&)> command;
    int status;
    std::string message;  // a line of standard error holds it, DISK standing for the disk
    std::string listing;  // of the disk afterwards
};

void PrintTo(const FullDiskCase& c, std::ostream* out)
{
    *out << c.name;
}

class FullDiskTest : public WorkbookFileTest, public ::testing::WithParamInterface<FullDiskCase>
{
};

TEST_P(FullDiskTest, SaysSoAndKeepsTheOldFile)
{
    dbtest::writeNamesTable(dir.path() / "tables", "orders", 60'000);
    const fs::path disk = dir.path() / "disk";
    const fs::path results = dir.path() / "results";
    const fs::path bin = dir.path() / "bin";
    fs::create_directories(disk);
    fs::create_directories(results);
    const fs::path soffice = dir.write("bin/soffice", "#!/bin/sh\ntouch \"$0.started\"\n");
    fs::permissions(soffice, fs::perms::owner_all);
    const fs::path script = dir.write("small-disk.sh", kSmallDiskScript);
    const auto path = [](const fs::path& p) { return QString::fromStdString(p.string()); };
    const QStringList command =
        QStringList{QStringLiteral("--user"),
                    QStringLiteral("--map-root-user"),
                    QStringLiteral("--mount"),
                    QStringLiteral("/bin/sh"),
                    path(script),
                    path(disk),
                    path(results)} +
        GetParam().command({path(disk), path(dir.path() / "out"), path(bin), source()});
    const testsupport::CommandOutcome run =
        testsupport::runCommand(QStringLiteral("unshare"), command);
    if (run.status == 77 || (run.status != 0 && !fs::exists(results / "listing")))
        GTEST_SKIP() << "no small tmpfs can be mounted here: " << run.err;
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    std::string message = GetParam().message;
    if (const std::size_t at = message.find("DISK"); at != std::string::npos)
        message.replace(at, 4, disk.string());
    EXPECT_TRUE(contains(run.err, message)) << run.err;
    if (GetParam().status == 0) {
        EXPECT_EQ(testsupport::readXlsx(dir.path() / "out" / "orders.xlsx").names(),
                  std::vector<std::string>{"orders"});
    }
    EXPECT_EQ(readFile(results / "kept"), "before");
    EXPECT_EQ(readFile(results / "listing"), GetParam().listing);
    EXPECT_FALSE(fs::exists(bin / "soffice.started"));
}

QStringList exportToDisk(const Places& at)
{
    return {kExportBinary, QStringLiteral("export"), at.source, QStringLiteral("-o"),
            at.disk + QStringLiteral("/out.xlsx")};
}

QStringList exportWithCacheOnDisk(const Places& at)
{
    return {QStringLiteral("env"),
            QStringLiteral("XDG_CACHE_HOME=") + at.disk + "/cache",
            kExportBinary,
            QStringLiteral("export"),
            at.source,
            QStringLiteral("-o"),
            at.healthy + QStringLiteral("/orders.xlsx")};
}

QStringList handOverWithCacheOnDisk(const Places& at)
{
    return {QStringLiteral("env"),
            QStringLiteral("XDG_CACHE_HOME=") + at.disk + "/cache",
            QStringLiteral("PATH=") + at.bin + ":/usr/bin:/bin",
            kExportBinary,
            QStringLiteral("export"),
            at.source,
            QStringLiteral("--open")};
}

INSTANTIATE_TEST_SUITE_P(
    Disks, FullDiskTest,
    ::testing::Values(
        FullDiskCase{"target_on_the_full_disk", exportToDisk, 1,
                     "The workbook DISK/out.xlsx could not be written: No space left on device. "
                     "Free some space on that disk, or write the workbook to another one.",
                     ".\n./cache\n./filler\n./out.xlsx\n"},
        FullDiskCase{"cache_on_the_full_disk_target_elsewhere", exportWithCacheOnDisk, 0, "",
                     ".\n./cache\n./filler\n./out.xlsx\n"},
        FullDiskCase{"hand_over_with_the_cache_on_the_full_disk", handOverWithCacheOnDisk, 1,
                     "The workbook in DISK/cache/quorvane could not be written: No space left on "
                     "device.",
                     ".\n./cache\n./cache/quorvane\n./filler\n./out.xlsx\n"}),
    [](const auto& c) { return std::string(c.param.name); });

// Each sheet once held a temporary file open: past some 840 tables the usual limit of
// 1,024 open files ran out.
TEST_F(WorkbookFileTest, FifteenHundredTablesUnderTheUsualLimitOfOpenFiles)
{
    constexpr int kTables = 1500;
    std::vector<std::string> expected;
    for (int i = 1; i <= kTables; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "table_%04d_whose_name_is_longer_than_31", i);
        dbtest::writeNamesTable(dir.path() / "tables", name, 2);
        expected.push_back(std::string(name).substr(0, 30));  // sheet names take 30 of them
    }
    std::sort(expected.begin(), expected.end());
    const testsupport::CommandOutcome run = testsupport::runCommand(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("ulimit -n 1024 && exec \"$0\" \"$@\""),
         kExportBinary, QStringLiteral("export"), source(), QStringLiteral("-o"),
         QString::fromStdString(out().string())},
        600'000);
    ASSERT_EQ(run.status, 0) << run.err.substr(0, 2000);
    const testsupport::ReadWorkbook book = testsupport::readXlsx(out());
    std::vector<std::string> names = book.names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, expected);
    ASSERT_EQ(book.sheets.size(), std::size_t(kTables));
    EXPECT_EQ(book.sheets.back().cell("A3").value(QStringLiteral("value")).toString(),
              QStringLiteral("r2"));
}

}  // namespace
