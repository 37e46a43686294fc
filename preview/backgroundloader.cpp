#include "preview/backgroundloader.h"

#include "preview/anypicture.h"

#include <QElapsedTimer>
#include <QThread>

#include <atomic>

namespace tintora {

// The flag is shared with the thread, which must not own its own Job.
struct BackgroundLoader::Job {
    std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<QThread> thread;
};

BackgroundLoader::BackgroundLoader(std::chrono::milliseconds quiet, QObject *parent) : QObject(parent), quiet_(quiet) {}

BackgroundLoader::~BackgroundLoader()
{
    for (const auto &job : jobs_)
        *job->stop = true;
    for (const auto &job : jobs_)
        job->thread->wait();
}

void BackgroundLoader::load(const QString &path, QSize size)
{
    cancel();
    reap();
    auto job = std::make_shared<Job>();
    const std::shared_ptr<std::atomic<bool>> stop = job->stop;
    const qint64 quiet = qint64(quiet_.count());
    // Results travel back as queued calls; one that arrives after its job was
    // replaced or cancelled is dropped.
    const auto post = [this, stop](bool last, auto report) {
        QMetaObject::invokeMethod(
            this,
            [this, stop, last, report] {
                if (jobs_.empty() || jobs_.back()->stop != stop || *stop)
                    return;
                if (last)
                    waiting_ = false;
                report();
            },
            Qt::QueuedConnection);
    };
    job->thread.reset(QThread::create([=, this] {
        QElapsedTimer clock;
        clock.start();
        double shown = -1;
        JpegWatch watch;
        watch.progress = [&](double share) {
            if (*stop)
                return false;
            if (clock.elapsed() >= quiet && share - shown >= 0.01) {
                shown = share;
                post(false, [this, share] { emit progress(share); });
            }
            return true;
        };
        JpegError error;
        const std::optional<QImage> picture = LoadPictureScaled(path, size.width(), size.height(), &error, &watch);
        if (*stop)
            return;
        if (picture)
            post(true, [this, image = *picture, reading = watch.reading] { emit loaded(image, reading); });
        else
            post(true, [this, error] { emit failed(error); });
    }));
    jobs_.push_back(job);
    waiting_ = true;
    job->thread->start();
}

void BackgroundLoader::cancel()
{
    if (!jobs_.empty())
        *jobs_.back()->stop = true;
    waiting_ = false;
}

bool BackgroundLoader::busy() const
{
    return waiting_;
}

// Threads of replaced decodes end on their own within a few rows.
void BackgroundLoader::reap()
{
    std::erase_if(jobs_, [](const std::shared_ptr<Job> &job) { return *job->stop && job->thread->isFinished(); });
}

}  // namespace tintora
