// Files that are not regular files where a table, its memo or its container belongs: a FIFO
// must be refused at once, never waited on (an open of a FIFO blocks until a writer comes).
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "components/vfp/Container.h"
#include "components/vfp/Table.h"
#include "components/vfp/VfpError.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "components/vfpwriter/TableWriter.h"
#include "tests/support/TempDir.h"

namespace {

namespace stdfs = std::filesystem;
using vfp::FieldType;

void makeFifo(const stdfs::path& path)
{
    stdfs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}

// Runs open within a few seconds or fails the test; a FIFO it hangs on is given a writer so
// that the open comes back and the test can end. Returns what open threw ("" when nothing).
std::string openWithin(const stdfs::path& fifo, const std::function<void()>& open)
{
    std::packaged_task<std::string()> task([&] {
        try {
            open();
            return std::string();
        } catch (const vfp::VfpError& error) {
            return std::string(error.what());
        }
    });
    std::future<std::string> result = task.get_future();
    std::thread worker(std::move(task));
    if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "the open waits on the FIFO " << fifo;
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    worker.join();
    return result.get();
}

void writeNotes(const stdfs::path& dbf)
{
    vfpwriter::TableWriter writer(dbf, {{"ID", FieldType::Integer}, {"NOTES", FieldType::Memo}});
    writer.append({vfp::Value::fromInteger(1), vfp::Value::fromText("a note")});
    writer.close();
}

TEST(NonRegularFiles, TableThatIsAFifoIsRefusedAtOnce)
{
    testsupport::TempDir dir;
    makeFifo(dir.path() / "t.dbf");
    const std::string error =
        openWithin(dir.path() / "t.dbf", [&] { vfp::Table::open(dir.path() / "t.dbf"); });
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}

TEST(NonRegularFiles, MemoThatIsAFifoIsRefusedAtOnce)
{
    testsupport::TempDir dir;
    writeNotes(dir.path() / "t.dbf");
    makeFifo(dir.path() / "t.fpt");
    const std::string error =
        openWithin(dir.path() / "t.fpt", [&] { vfp::Table::open(dir.path() / "t.dbf"); });
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}

TEST(NonRegularFiles, ContainerThatIsAFifoIsRefusedAtOnce)
{
    testsupport::TempDir dir;
    {
        vfpwriter::ContainerWriter writer(dir.path() / "shop.dbc");
        writer.createTable("orders", "orders.dbf", {{"orderid", FieldType::Integer}}).close();
        writer.close();
    }
    makeFifo(dir.path() / "shop.dbc");
    const std::string error =
        openWithin(dir.path() / "shop.dbc", [&] { vfp::Container::open(dir.path() / "shop.dbc"); });
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

    // A member table whose back-linked container is a FIFO opens with its header's names.
    vfp::OpenOptions options;
    options.longNamesFromContainer = true;
    const std::string member = openWithin(
        dir.path() / "shop.dbc", [&] { vfp::Table::open(dir.path() / "orders.dbf", options); });
    EXPECT_EQ(member, "");
}

}  // namespace
