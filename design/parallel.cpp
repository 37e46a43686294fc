#include "parallel.h"

#include <QThread>
#include <QThreadPool>

#include <algorithm>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace tintora {

namespace {

// One pool for the whole program, with the caller a thread for each core: suggestions made
// at once share it rather than each starting threads of its own.
QThreadPool &Pool()
{
    static QThreadPool pool;
    static const bool sized = (pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1)), true);
    (void)sized;
    return pool;
}

// Shared with the helpers, which may start after the caller has returned and find nothing
// left to take.
struct Items {
    std::function<void(int)> work;
    int count;
    std::atomic<int> next{0};
    std::mutex mutex;
    std::condition_variable allDone;
    int done = 0;

    // Runs items until none is left to take.
    void take()
    {
        for (int item = next++; item < count; item = next++) {
            work(item);
            const std::lock_guard lock(mutex);
            if (++done == count)
                allDone.notify_all();
        }
    }
};

}  // namespace

void ForEachInParallel(int count, const std::function<void(int)> &work)
{
    if (count <= 0)
        return;
    const auto items = std::make_shared<Items>();
    items->work = work;
    items->count = count;
    for (int helper = 1; helper < std::min(count, Pool().maxThreadCount() + 1); ++helper)
        Pool().start([items] { items->take(); });
    items->take();
    std::unique_lock lock(items->mutex);
    items->allDone.wait(lock, [&] { return items->done == items->count; });
}

}  // namespace tintora
