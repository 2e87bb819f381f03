// The second core's share of the work: pieces of a sheet's XML are deflated, summed into the
// entry's CRC-32 and written to the file on a thread of their own, while the caller formats the
// next piece. At most a few pieces wait, so memory stays flat however long the sheet.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "components/xlsx/ByteBuffer.h"
#include "components/xlsx/Deflater.h"

namespace xlsx {

class OutputFile;

struct StreamTotals
{
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;  // bytes before deflating
    std::uint32_t crc = 0;   // CRC-32 of those bytes
};

class BackgroundDeflate
{
public:
    explicit BackgroundDeflate(const OutputFile& file);
    // Waits for the pieces handed over, then ends the thread.
    ~BackgroundDeflate();
    BackgroundDeflate(const BackgroundDeflate&) = delete;
    BackgroundDeflate& operator=(const BackgroundDeflate&) = delete;

    // Begins a stream whose deflated bytes go to the file from position on. The previous
    // stream must be finished.
    void start(std::uint64_t position);
    // Hands piece over and gives back an empty buffer in its place; waits while the thread is
    // behind. Throws FileError when an earlier piece could not be written.
    void submit(ByteBuffer& piece);
    // Hands the stream's last piece over, waits until the stream is written and returns its
    // totals. Throws FileError when a piece could not be written.
    StreamTotals finish(ByteBuffer& piece);

private:
    struct Job
    {
        ByteBuffer bytes;
        bool first = false;
        bool last = false;
        std::uint64_t position = 0;  // of a first piece
    };

    void hand(ByteBuffer& piece, bool last);
    void run();
    void process(Job& job);

    const OutputFile& mFile;
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::deque<Job> mJobs;
    std::vector<ByteBuffer> mSpare;
    bool mStarting = false;
    std::uint64_t mStartPosition = 0;
    bool mStreamDone = true;
    bool mStopping = false;
    std::exception_ptr mError;
    StreamTotals mTotals;  // of the current stream; the thread's until it is done
    // The thread's own.
    Deflater mDeflater;
    ByteBuffer mDeflated;
    std::uint64_t mPosition = 0;
    std::thread mThread;  // last: starts once everything above exists
};

}  // namespace xlsx
