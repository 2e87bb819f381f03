// The hand-over between the formatting thread and the deflating one: a short queue of pieces
// one way, emptied buffers the other way, both under one mutex.
#include "components/xlsx/BackgroundDeflate.h"

#include <isa-l/crc.h>

#include "components/xlsx/OutputFile.h"

namespace xlsx {

namespace {

constexpr std::size_t kWaitingPieces = 4;  // with the one being filled and the one deflated

}  // namespace

BackgroundDeflate::BackgroundDeflate(const OutputFile& file)
    : mFile(file), mThread([this] { run(); })
{}

BackgroundDeflate::~BackgroundDeflate()
{
    {
        std::lock_guard lock(mMutex);
        mStopping = true;
    }
    mChanged.notify_all();
    mThread.join();
}

void BackgroundDeflate::start(std::uint64_t position)
{
    std::lock_guard lock(mMutex);
    mStarting = true;
    mStartPosition = position;
    mStreamDone = false;
}

void BackgroundDeflate::submit(ByteBuffer& piece)
{
    hand(piece, false);
}

StreamTotals BackgroundDeflate::finish(ByteBuffer& piece)
{
    hand(piece, true);
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [&] { return mStreamDone; });
    if (mError)
        std::rethrow_exception(mError);
    return mTotals;
}

void BackgroundDeflate::hand(ByteBuffer& piece, bool last)
{
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [&] { return mJobs.size() < kWaitingPieces || mError; });
    if (mError)
        std::rethrow_exception(mError);
    Job job;
    job.bytes = std::move(piece);
    job.first = mStarting;
    job.last = last;
    job.position = mStartPosition;
    mStarting = false;
    mJobs.push_back(std::move(job));
    if (mSpare.empty()) {
        piece = ByteBuffer();
    } else {
        piece = std::move(mSpare.back());
        mSpare.pop_back();
    }
    lock.unlock();
    mChanged.notify_all();
}

void BackgroundDeflate::run()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mMutex);
            mChanged.wait(lock, [&] { return !mJobs.empty() || mStopping; });
            if (mJobs.empty())
                return;
            job = std::move(mJobs.front());
            mJobs.pop_front();
        }
        bool failed;
        {
            std::lock_guard lock(mMutex);
            failed = mError != nullptr;
        }
        std::exception_ptr error;
        if (!failed) {
            try {
                process(job);
            } catch (...) {
                error = std::current_exception();
            }
        }
        {
            std::lock_guard lock(mMutex);
            if (error && !mError)
                mError = error;
            job.bytes.clear();
            mSpare.push_back(std::move(job.bytes));
            if (job.last)
                mStreamDone = true;
        }
        mChanged.notify_all();
    }
}

void BackgroundDeflate::process(Job& job)
{
    if (job.first) {
        mDeflater.restart();
        mPosition = job.position;
        std::lock_guard lock(mMutex);
        mTotals = {};
    }
    mDeflated.clear();
    mDeflater.deflate(job.bytes.view(), job.last ? Ending::Final : Ending::None, mDeflated);
    const auto* bytes = reinterpret_cast<const unsigned char*>(job.bytes.data());
    StreamTotals totals;
    {
        std::lock_guard lock(mMutex);
        totals = mTotals;
    }
    totals.crc = crc32_gzip_refl(totals.crc, bytes, job.bytes.size());
    totals.size += job.bytes.size();
    mFile.writeAt(mPosition, mDeflated.data(), mDeflated.size());
    mPosition += mDeflated.size();
    totals.compressedSize += mDeflated.size();
    std::lock_guard lock(mMutex);
    mTotals = totals;
}

}  // namespace xlsx
