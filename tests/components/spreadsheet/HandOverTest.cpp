// Creating the application and handing finished workbooks to the spreadsheet program, with
// stand-in programs on PATH that record their arguments, and a temporary cache folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

#include "components/spreadsheet/Application.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetProgram.h"
#include "tests/support/TempDir.h"
#include "tests/support/XlsxReader.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string kNoProgram =
    "No spreadsheet program was found to open the workbook. Install LibreOffice Calc (its "
    "\"soffice\" program "
    "must be on the PATH) or choose a default application for .xlsx files in the desktop settings.";

// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const std::string& value) : mName(name)
    {
        if (const char* old = std::getenv(name))
            mOld = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (mOld)
            setenv(mName, mOld->c_str(), 1);
        else
            unsetenv(mName);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* mName;
    std::optional<std::string> mOld;
};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class HandOverTest : public ::testing::Test
{
protected:
    // A program on PATH that writes each argument on a line of its record, its environment
    // into name.env (by env's full path: PATH is the test's), then "end" into the record.
    void installStandIn(const std::string& name)
    {
        const fs::path record = root() / (name + ".args");
        const fs::path script = dir.write(
            "bin/" + name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                               record.string() + "'\n/usr/bin/env > '" +
                               (root() / (name + ".env")).string() + "'\nprintf 'end\\n' >> '" +
                               record.string() + "'\n");
        fs::permissions(script, fs::perms::owner_all);
    }

    // The recorded arguments, waiting for the detached stand-in to finish writing them.
    Lines recordedArguments(const std::string& name)
    {
        const fs::path record = root() / (name + ".args");
        for (int attempt = 0; attempt < 1500; ++attempt) {
            const std::string text = readFile(record);
            if (text.ends_with("end\n")) {
                Lines lines;
                std::istringstream in(text);
                for (std::string line; std::getline(in, line) && line != "end";)
                    lines.push_back(line);
                return lines;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ADD_FAILURE() << name << " was not started";
        return {};
    }

    void registerXlsxHandler(const std::string& desktopEntry, bool entryExists)
    {
        dir.write(
            "data/applications/mimeinfo.cache",
            "[MIME Cache]\napplication/vnd.openxmlformats-officedocument.spreadsheetml.sheet=" +
                desktopEntry + ";\n");
        if (entryExists)
            dir.write("data/applications/" + desktopEntry,
                      "[Desktop Entry]\nType=Application\nExec=calc %f\n");
    }

    const fs::path& root() const { return dir.path(); }
    fs::path cacheFolder() const { return root() / "cache/quorvane"; }

    // Descriptors of this process that point into the cache folder (leftover temporary files).
    int openFilesInCache() const
    {
        int count = 0;
        for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
            std::error_code error;
            const fs::path target = fs::read_symlink(entry.path(), error);
            count += !error && target.string().starts_with(cacheFolder().string()) ? 1 : 0;
        }
        return count;
    }

    testsupport::TempDir dir;
    const fs::path bin = [this] {
        fs::create_directories(dir.path() / "bin");
        return dir.path() / "bin";
    }();
    ScopedEnv path{"PATH", bin.string()};
    ScopedEnv cache{"XDG_CACHE_HOME", (dir.path() / "cache").string()};
    ScopedEnv dataHome{"XDG_DATA_HOME", (dir.path() / "data").string()};
    ScopedEnv dataDirs{"XDG_DATA_DIRS", (dir.path() / "no-data").string()};
    ScopedEnv configHome{"XDG_CONFIG_HOME", (dir.path() / "config").string()};
    ScopedEnv configDirs{"XDG_CONFIG_DIRS", (dir.path() / "no-config").string()};
};

TEST_F(HandOverTest, LibreOfficeGetsTheFinishedWorkbookAsANewUntitledDocument)
{
    installStandIn("soffice");
    const auto application = spreadsheet::defaultApplicationFactory()();
    EXPECT_FALSE(application->Visible());
    spreadsheet::Workbook& book = application->WorkbooksAdd();
    book.ActiveSheet().setName("Orders");
    book.ActiveSheet().writeText(1, 1, "Hello");
    book.WorksheetsAdd();  // no rows
    application->setVisible(true);
    EXPECT_TRUE(application->Visible());

    const Lines arguments = recordedArguments("soffice");
    ASSERT_EQ(arguments.size(), 3u);
    EXPECT_EQ(arguments[0], "--calc");
    EXPECT_EQ(arguments[1], "-n");
    const fs::path file = arguments[2];
    EXPECT_EQ(file.parent_path(), cacheFolder());
    EXPECT_EQ(file.extension(), ".xlsx");
    EXPECT_EQ(fs::status(cacheFolder()).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read);
    const auto read = testsupport::readXlsx(file);
    ASSERT_EQ(read.names(), (Lines{"Orders", "Sheet2"}));
    EXPECT_EQ(read.sheets[0].cell("A1").value(QStringLiteral("value")).toString(),
              QStringLiteral("Hello"));
    EXPECT_EQ(openFilesInCache(), 0);
}

TEST_F(HandOverTest, EachWorkbookGetsItsOwnFile)
{
    installStandIn("soffice");
    const auto first = spreadsheet::defaultApplicationFactory()();
    first->WorkbooksAdd();
    first->setVisible(true);
    const Lines firstArguments = recordedArguments("soffice");
    fs::remove(root() / "soffice.args");
    const auto second = spreadsheet::defaultApplicationFactory()();
    second->WorkbooksAdd();
    second->setVisible(true);
    const Lines secondArguments = recordedArguments("soffice");
    ASSERT_EQ(firstArguments.size(), 3u);
    ASSERT_EQ(secondArguments.size(), 3u);
    EXPECT_NE(firstArguments[2], secondArguments[2]);
    EXPECT_TRUE(fs::exists(firstArguments[2]));
}

TEST_F(HandOverTest, DesktopHandlerOpensTheFileWhenLibreOfficeIsMissing)
{
    installStandIn("xdg-open");
    registerXlsxHandler("calc.desktop", true);
    const auto application = spreadsheet::defaultApplicationFactory()();
    application->WorkbooksAdd().ActiveSheet().writeText(1, 1, "x");
    application->setVisible(true);
    const Lines arguments = recordedArguments("xdg-open");
    ASSERT_EQ(arguments.size(), 1u);
    EXPECT_EQ(fs::path(arguments[0]).parent_path(), cacheFolder());
}

struct MissingCase
{
    const char* name;
    bool xdgOpen;
    const char* handler;  // "" = none registered
    bool handlerEntryExists;
};

void PrintTo(const MissingCase& c, std::ostream* out)
{
    *out << c.name;
}

class NoProgramTest : public HandOverTest, public ::testing::WithParamInterface<MissingCase>
{
};

TEST_P(NoProgramTest, FactoryThrowsSayingWhatToInstall)
{
    if (GetParam().xdgOpen)
        installStandIn("xdg-open");
    if (*GetParam().handler)
        registerXlsxHandler(GetParam().handler, GetParam().handlerEntryExists);
    try {
        spreadsheet::defaultApplicationFactory()();
        ADD_FAILURE() << "an application was created";
    } catch (const spreadsheet::SpreadsheetError& error) {
        EXPECT_EQ(error.what(), kNoProgram);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Missing, NoProgramTest,
    ::testing::Values(MissingCase{"nothing_on_path", false, "", false},
                      MissingCase{"handler_without_xdg_open", false, "calc.desktop", true},
                      MissingCase{"xdg_open_without_handler", true, "", false},
                      MissingCase{"handler_entry_missing", true, "gone.desktop", false}),
    [](const auto& c) { return std::string(c.param.name); });

// What the spreadsheet program receives: the environment this process started with, so a
// variable set since (as an ODBC driver told to by a stranger's connect string could set it)
// is not passed on, and the file as an absolute path, so a name starting with "-" is no option.
struct StartCase
{
    const char* name;
    const char* variable;  // set after this process started; nullptr: none
    const char* value;
    const char* file;          // as given, relative to the working folder
    std::string (*present)();  // a line of the record (arguments, then environment)
    std::string absent;        // a line the record must not hold
};

void PrintTo(const StartCase& c, std::ostream* out)
{
    *out << c.name;
}

// PATH as the kernel handed it to this process at its start.
std::string startPathLine()
{
    const std::string environment = readFile("/proc/self/environ");
    for (std::size_t at = 0; at < environment.size();) {
        const std::size_t end = environment.find('\0', at);
        const std::string entry = environment.substr(at, end - at);
        if (entry.starts_with("PATH="))
            return entry;
        at = end == std::string::npos ? environment.size() : end + 1;
    }
    return "PATH= was not set at the start";
}

std::string absoluteOptionLikeFile()
{
    return (fs::current_path() / "-n.xlsx").string();
}

std::string plantedLine()
{
    return "end-of-arguments";
}

class ProgramStartTest : public HandOverTest, public ::testing::WithParamInterface<StartCase>
{
};

TEST_P(ProgramStartTest, ProgramGetsTheStartEnvironmentAndAnAbsoluteFile)
{
    installStandIn("recorder");
    std::optional<ScopedEnv> planted;
    if (GetParam().variable)
        planted.emplace(GetParam().variable, GetParam().value);
    spreadsheet::SpreadsheetProgram{QString::fromStdString((bin / "recorder").string()), {}}.open(
        GetParam().file);
    Lines record = recordedArguments("recorder");
    record.push_back("end-of-arguments");
    std::istringstream environment(readFile(root() / "recorder.env"));
    for (std::string line; std::getline(environment, line);)
        record.push_back(line);
    EXPECT_NE(std::find(record.begin(), record.end(), GetParam().present()), record.end());
    EXPECT_EQ(std::find(record.begin(), record.end(), GetParam().absent), record.end());
}

INSTANTIATE_TEST_SUITE_P(
    Start, ProgramStartTest,
    ::testing::Values(StartCase{"variable_set_after_start_is_not_passed", "QUORVANE_PLANTED", "1",
                                "w.xlsx", plantedLine, "QUORVANE_PLANTED=1"},
                      StartCase{"preload_set_after_start_is_not_passed", "LD_PRELOAD",
                                "/nowhere/marker.so", "w.xlsx", plantedLine,
                                "LD_PRELOAD=/nowhere/marker.so"},
                      StartCase{"path_is_the_one_of_the_start", "PATH", "/nowhere", "w.xlsx",
                                startPathLine, "PATH=/nowhere"},
                      StartCase{"file_named_like_an_option_comes_absolute", nullptr, nullptr,
                                "-n.xlsx", absoluteOptionLikeFile, "-n.xlsx"}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(HandOverTest, FailedFinishHandsNothingOver)
{
    installStandIn("soffice");
    const auto application = spreadsheet::defaultApplicationFactory()();
    application->WorkbooksAdd().ActiveSheet().writeText(1, 1, "x");
    fs::remove_all(cacheFolder());  // the file can no longer be created
    try {
        application->setVisible(true);
        ADD_FAILURE() << "the hand-over succeeded";
    } catch (const spreadsheet::SpreadsheetError& error) {
        const std::string text = error.what();
        EXPECT_TRUE(text.starts_with("The finished workbook could not be saved as " +
                                     (cacheFolder() / "Quorvane-").string()))
            << text;
        EXPECT_TRUE(text.ends_with(".xlsx: No such file or directory.")) << text;
    }
    EXPECT_FALSE(application->Visible());
    EXPECT_FALSE(fs::exists(root() / "soffice.args"));
}

TEST_F(HandOverTest, DroppedWorkbookLeavesNoFileAndNoOpenTemporaryFile)
{
    installStandIn("soffice");
    {
        const auto application = spreadsheet::defaultApplicationFactory()();
        spreadsheet::Workbook& book = application->WorkbooksAdd();
        for (int row = 1; row <= 1000; ++row)
            book.ActiveSheet().writeText(row, 1, "row data");
        book.WorksheetsAdd().writeText(1, 1, "second");
        EXPECT_GT(openFilesInCache(), 0);
    }
    EXPECT_EQ(openFilesInCache(), 0);
    EXPECT_TRUE(fs::is_empty(cacheFolder()));
}

TEST_F(HandOverTest, StartRemovesOnlyOurWorkbooksOlderThanADay)
{
    installStandIn("soffice");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
    const fs::path stale = dir.write("cache/quorvane/Quorvane-20240101-000000-abcdef.xlsx", "old");
    const fs::path recent = dir.write("cache/quorvane/Quorvane-20990101-000000-abcdef.xlsx", "new");
    const fs::path foreign = dir.write("cache/quorvane/notes.txt", "keep");
    fs::last_write_time(stale, old);
    fs::last_write_time(foreign, old);
    spreadsheet::defaultApplicationFactory()();
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(recent));
    EXPECT_TRUE(fs::exists(foreign));
}

TEST_F(HandOverTest, CacheFolderIsMadePrivate)
{
    installStandIn("soffice");
    fs::create_directories(cacheFolder());
    fs::permissions(cacheFolder(),
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    spreadsheet::defaultApplicationFactory()();
    EXPECT_EQ(fs::status(cacheFolder()).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(HandOverTest, CacheFolderThatIsALinkIsRefused)
{
    installStandIn("soffice");
    fs::create_directories(root() / "elsewhere");
    fs::create_directories(root() / "cache");
    fs::create_directory_symlink(root() / "elsewhere", cacheFolder());
    try {
        spreadsheet::defaultApplicationFactory()();
        ADD_FAILURE() << "a linked cache folder was used";
    } catch (const spreadsheet::SpreadsheetError& error) {
        EXPECT_EQ(
            error.what(),
            "The folder " + cacheFolder().string() +
                " for finished workbooks cannot be used: it is not a folder. Make it a folder "
                "of your own, or set XDG_CACHE_HOME to one.");
    }
}

}  // namespace
