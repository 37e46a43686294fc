#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QIODevice;

namespace tintora {

// Wider or taller pictures are refused.
constexpr int kMaxJpegDimension = 65500;
// The most memory the decoder may take. A baseline picture is decoded a few
// rows at a time and needs a small part of it at any size; a progressive one
// (or any picture stored in several scans) is held whole while it is decoded,
// about 3 bytes a pixel, and is refused when that does not fit.
constexpr long kJpegMemoryBudget = 128L << 20;

// The decoder's work is counted in blocks of 8 x 8 samples of one component:
// each block the entropy decoder handles, in every scan, and each block of
// the output (width x height x components / 64). A picture may cost this
// much per byte of its file, and this much more whatever its size. A
// photograph's data costs some 1 to 5 blocks a byte; only data that codes
// large flat areas in very few bits, or a header that announces far more
// picture than its data can hold, comes near the line. Arithmetic coding may
// code a flat picture in no more bytes than its header: the part free of
// charge takes a flat progressive one of 1000 x 1000 pixels with colour at
// full resolution (some 270,000 blocks in ten scans, about 10 ms).
constexpr std::uint64_t kJpegWorkPerByte = 32;
constexpr std::uint64_t kJpegFreeWork = 1 << 19;

// Blocks whose first (DC) coefficient the file's data did not hold are made
// up by the decoder: after its data ended or broke off at a marker, in
// restart intervals left empty, skipped when it resynchronised, or in
// components no scan carried. Arithmetic-coded data that stops early is
// counted only where its marker shows that it ran out: its coder lawfully
// writes nothing for a flat stretch of picture. A picture with more of them
// than a share of its blocks, or than a fixed number, is refused.
constexpr std::uint64_t kJpegMadeUpShare = 32;  // 1 block in 32
constexpr std::uint64_t kJpegMadeUpLimit = 65536;

// What one decode cost, as the decoder counted it.
struct JpegCost {
    std::uint64_t blocks = 0;         // of the picture, all components
    std::uint64_t madeUpBlocks = 0;   // blocks the data did not hold
    std::uint64_t entropyBlocks = 0;  // blocks entropy-decoded, every scan
    std::uint64_t outputBlocks = 0;   // output handed out so far
    std::uint64_t inputBytes = 0;     // the file's size as the budget saw it
};

// How a picture that loaded was read.
struct JpegReading {
    int width = 0;  // the picture's own size
    int height = 0;
    int reducedBy = 1;  // read at 1/reducedBy of its width and height
};

// Lets a caller follow and stop a decode (from another thread, too).
struct JpegWatch {
    // Called every few rows with the share done, 0 to 1; false stops the
    // decode, which then fails as Cancelled.
    std::function<bool(double share)> progress;
    JpegCost cost;  // filled in as the decode goes
    JpegReading reading;  // once the picture has loaded
};

// Why a picture did not load, with the values its words show; the interface
// words it.
struct JpegError {
    enum class Kind {
        None,
        NotRegularFile,  // refused unopened
        NotOpened,       // detail: the system's reason
        NotJpeg,         // firstBytes: what the file starts with
        Empty,
        Decoder,         // detail: the decoder's own message
        TooLarge,        // width x height
        NoMemory,        // width x height
        OverBudget,      // width x height
        HeldWholeOverBudget,  // width x height: a picture Qt's readers hold whole
        MadeUp,          // count of total blocks missing, width x height
        TooMuchWork,     // count: the file's bytes, width x height
        Cancelled,
        FileEnded,       // count: the byte the file ends at
    };
    Kind kind = Kind::None;
    QString path;    // the file in native separators; empty for a device
    QString detail;
    std::uint64_t count = 0;
    std::uint64_t total = 0;
    int width = 0;
    int height = 0;
    int firstBytes[2] = {};
};

// JPEG pictures decoded with libjpeg's default settings into 24-bit RGB
// (QImage::Format_RGB888); grayscale, CMYK and YCCK files become RGB too.
// On failure the result is empty and *error (if given) holds the reason.
// Reading from a path, the reason holds the path, and a file that is not a
// regular one is refused unopened. A file that ends before the last of
// its picture's blocks or scans is refused whatever its coding ("the file
// ends at byte N, before its picture"), never shown partly grey or with
// made-up rows; one that lacks only its end marker loads. One whose data
// lacks more than the share above, or that would cost more work than its
// size allows, is refused too.

// Decodes and stretches to w x h (ScaleToBox's result) row by row, so the
// full-size picture is never held in memory. A progressive picture too large
// to hold whole is read at 1/8 of its size where ReadProgressiveDc can (from a
// device that can go back to where it started), and watch->reading says so.
std::optional<QImage> LoadJpegScaled(const QString &path, int w, int h, JpegError *error,
                                     JpegWatch *watch = nullptr);
std::optional<QImage> LoadJpegScaled(QIODevice &device, int w, int h, JpegError *error,
                                     JpegWatch *watch = nullptr);

// Full size. The path may name a resource (":/about.jpg").
std::optional<QImage> DecodeJpeg(const QString &path, JpegError *error, JpegWatch *watch = nullptr);
std::optional<QImage> DecodeJpeg(QIODevice &device, JpegError *error, JpegWatch *watch = nullptr);

}  // namespace tintora
