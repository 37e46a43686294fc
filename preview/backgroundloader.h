#pragma once

#include "preview/jpegpicture.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <chrono>
#include <memory>
#include <vector>

namespace tintora {

// Decodes background pictures away from the calling thread, so a large or
// hostile file never stops the window. One picture at a time: a new request
// replaces the one under way, whose result is never reported. Signals arrive
// on the thread that owns the loader.
class BackgroundLoader : public QObject {
    Q_OBJECT

public:
    // Progress is reported only once a decode has taken longer than quiet.
    explicit BackgroundLoader(std::chrono::milliseconds quiet = std::chrono::milliseconds(300),
                              QObject *parent = nullptr);
    // Stops a decode under way and waits the few rows it takes to notice.
    ~BackgroundLoader() override;

    // The picture at path, stretched to size (LoadPictureScaled).
    void load(const QString &path, QSize size = QSize(128, 128));
    // Drops the decode under way; nothing more is reported of it.
    void cancel();
    // Whether the picture or the failure of the last request is still to come; a
    // decode that has ended but whose result is not yet delivered still counts.
    bool busy() const;

signals:
    void progress(double share);
    void loaded(const QImage &picture, const tintora::JpegReading &reading);
    void failed(const tintora::JpegError &reason);

private:
    struct Job;
    void reap();

    std::chrono::milliseconds quiet_;
    std::vector<std::shared_ptr<Job>> jobs_;  // the last one is current
    bool waiting_ = false;
};

}  // namespace tintora
