#include "preview/progressivedc.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace tintora {
namespace {

constexpr qint64 kInputChunk = 16384;
constexpr int kMaxFrameComponents = 4;
constexpr int kMaxBlocksInMcu = 10;  // libjpeg's bound for an interleaved scan
constexpr int kMcusBetweenWatches = 4096;

// Thrown to end the reading; caught where ReadProgressiveDc hands out the reason.
struct Refusal {
    JpegError::Kind kind;
    QString detail;
};

[[noreturn]] void Damaged(const char *what)
{
    throw Refusal{JpegError::Kind::Decoder, QString::fromLatin1(what)};
}

[[noreturn]] void NotForThisReader()
{
    throw Refusal{JpegError::Kind::OverBudget, {}};
}

struct FileEnded {};

// Reads in chunks, so a large file costs no more memory than a small one.
class Input {
public:
    explicit Input(QIODevice &device) : device_(device) {}

    std::uint8_t next()
    {
        if (at_ == size_ && !fill())
            throw FileEnded{};
        return buffer_[at_++];
    }

    bool ended()
    {
        return at_ == size_ && !fill();
    }

    std::uint64_t bytesRead() const { return bytesRead_; }
    std::uint64_t taken() const { return bytesRead_ - std::uint64_t(size_ - at_); }

private:
    bool fill()
    {
        const qint64 count = device_.read(reinterpret_cast<char *>(buffer_.data()), kInputChunk);
        if (count <= 0)
            return false;
        bytesRead_ += std::uint64_t(count);
        at_ = 0;
        size_ = std::size_t(count);
        return true;
    }

    QIODevice &device_;
    std::array<std::uint8_t, kInputChunk> buffer_{};
    std::size_t at_ = 0;
    std::size_t size_ = 0;
    std::uint64_t bytesRead_ = 0;
};

// A marker segment's contents, read whole (at most 65,533 bytes) and taken with bounds.
class Segment {
public:
    Segment(Input &input, int length) : bytes_(std::size_t(length))
    {
        for (std::uint8_t &byte : bytes_)
            byte = input.next();
    }
    std::size_t left() const { return bytes_.size() - at_; }
    int byte()
    {
        if (at_ >= bytes_.size())
            Damaged("Corrupt JPEG data: a marker segment is shorter than its contents");
        return bytes_[at_++];
    }
    int word()
    {
        const int high = byte();
        return (high << 8) | byte();
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// A DC table of the Huffman code, checked as libjpeg checks it before a scan uses it.
struct DcTable {
    bool defined = false;
    std::array<int, 17> counts{};  // codes of each length 1 to 16
    std::array<std::uint8_t, 256> symbols{};
    std::array<int, 18> maxCode{};   // -1: no code of that length
    std::array<int, 17> firstIndex{};  // into symbols, less the length's first code
    bool checked = false;

    void check()
    {
        if (checked)
            return;
        int code = 0;
        int index = 0;
        for (int length = 1; length <= 16; ++length) {
            firstIndex[length] = index - code;
            code += counts[length];
            index += counts[length];
            if (code > (1 << length))
                Damaged("Bogus Huffman table definition");
            maxCode[length] = counts[length] > 0 ? code - 1 : -1;
            code <<= 1;
        }
        for (int i = 0; i < index; ++i) {
            if (symbols[std::size_t(i)] > 15)
                Damaged("Bogus Huffman table definition");
        }
        checked = true;
    }
};

// Entropy-coded data, a bit at a time. A marker ends it: it is kept for the caller, and
// a scan that wants bits beyond it is damaged.
class BitReader {
public:
    explicit BitReader(Input &input) : input_(input) {}

    int bit()
    {
        if (count_ == 0) {
            byte_ = load();
            count_ = 8;
        }
        --count_;
        return (byte_ >> count_) & 1;
    }

    int bits(int n)
    {
        int value = 0;
        for (int i = 0; i < n; ++i)
            value = (value << 1) | bit();
        return value;
    }

    int decode(const DcTable &table)
    {
        int code = bit();
        for (int length = 1; length <= 16; ++length) {
            if (code <= table.maxCode[length])
                return table.symbols[std::size_t(table.firstIndex[length] + code)];
            code = (code << 1) | bit();
        }
        Damaged("Corrupt JPEG data: bad Huffman code");
    }

    // Past the last whole byte, at a marker.
    void discardBits() { count_ = 0; }
    int pendingMarker() const { return marker_; }
    void takeMarker() { marker_ = 0; }

    // Takes the next marker: fill bytes, and stray bytes where a marker should be, as
    // libjpeg does, are passed over.
    int nextMarker()
    {
        if (marker_ != 0) {
            const int marker = marker_;
            marker_ = 0;
            return marker;
        }
        for (;;) {
            while (input_.next() != 0xFF) {
            }
            int code = input_.next();
            while (code == 0xFF)
                code = input_.next();
            if (code != 0)
                return code;
        }
    }

    // Passes over an AC scan's data up to the marker that ends it: neither a stuffed
    // zero nor a restart marker. A file that ends there ends after the scan.
    void skipScan()
    {
        for (;;) {
            if (input_.ended())
                return;
            if (input_.next() != 0xFF)
                continue;
            int code = input_.next();
            while (code == 0xFF)
                code = input_.next();
            if (code != 0 && (code < 0xD0 || code > 0xD7)) {
                marker_ = code;
                return;
            }
        }
    }

private:
    int load()
    {
        if (marker_ != 0)
            Damaged("Corrupt JPEG data: a scan's data ends before its last block");
        const int byte = input_.next();
        if (byte != 0xFF)
            return byte;
        int code = input_.next();
        while (code == 0xFF)
            code = input_.next();
        if (code == 0)
            return 0xFF;
        marker_ = code;
        Damaged("Corrupt JPEG data: a scan's data ends before its last block");
    }

    Input &input_;
    int byte_ = 0;
    int count_ = 0;
    int marker_ = 0;
};

struct Component {
    int id = 0;
    int h = 1, v = 1;
    int table = 0;   // quantisation table in the frame
    int quant = -1;  // its DC step, latched at the component's first scan as libjpeg does
    int widthInBlocks = 0, heightInBlocks = 0;
    int stride = 0, rows = 0;  // the blocks held: whole MCUs of an interleaved scan
    std::vector<std::int16_t> dc;
    bool hadFirstDc = false;
    int dcBits = -1;  // the precision (Al) the DC values have reached; -1 before any
};

struct Frame {
    int width = 0, height = 0;
    int maxH = 1, maxV = 1;
    int count = 0;
    std::array<Component, kMaxFrameComponents> components;
};

// libjpeg's clamp after its inverse DCT, wrapping as its table does beyond the range a
// real picture reaches.
std::uint8_t DcSample(std::int16_t dc, int quant)
{
    const int value = ((int(dc) * quant + 4) >> 3) & 1023;
    if (value < 512)
        return std::uint8_t(std::min(value + 128, 255));
    if (value < 896)
        return 0;
    return std::uint8_t(value - 896);
}

// libjpeg's YCbCr to RGB, its integer tables and rounding (jdcolor.c).
struct YccTables {
    static constexpr int kScaleBits = 16;
    static constexpr std::int64_t kHalf = std::int64_t(1) << (kScaleBits - 1);
    static constexpr std::int64_t Fix(double x) { return std::int64_t(x * (1 << kScaleBits) + 0.5); }
    std::array<int, 256> crR{}, cbB{};
    std::array<std::int64_t, 256> crG{}, cbG{};

    YccTables()
    {
        for (int i = 0; i < 256; ++i) {
            const std::int64_t x = i - 128;
            crR[std::size_t(i)] = int((Fix(1.40200) * x + kHalf) >> kScaleBits);
            cbB[std::size_t(i)] = int((Fix(1.77200) * x + kHalf) >> kScaleBits);
            crG[std::size_t(i)] = -Fix(0.71414) * x;
            cbG[std::size_t(i)] = -Fix(0.34414) * x + kHalf;
        }
    }

    static std::uint8_t Clamp(int value) { return std::uint8_t(std::clamp(value, 0, 255)); }

    void convert(int y, int cb, int cr, std::uint8_t *rgb) const
    {
        rgb[0] = Clamp(y + crR[std::size_t(cr)]);
        rgb[1] = Clamp(y + int((cbG[std::size_t(cb)] + crG[std::size_t(cr)]) >> kScaleBits));
        rgb[2] = Clamp(y + cbB[std::size_t(cb)]);
    }
};

class Reader {
public:
    Reader(QIODevice &device, JpegWatch *watch) : input_(device), bits_(input_), watch_(watch)
    {
        if (!device.isSequential())
            fileBytes_ = std::uint64_t(std::max<qint64>(device.size() - device.pos(), 0));
    }

    void read(const std::function<void(int, int)> &begin, const std::function<void(const std::uint8_t *)> &take);

    JpegCost cost() const
    {
        JpegCost cost = cost_;
        cost.inputBytes = std::max(fileBytes_, input_.bytesRead());
        return cost;
    }
    std::uint64_t bytesRead() const { return input_.bytesRead(); }
    const Frame &frame() const { return frame_; }
    const int *firstBytes() const { return firstBytes_; }

private:
    void readStart();
    void readFrame(Segment &segment);
    void readTables(Segment &segment);
    void readQuantisation(Segment &segment);
    void readApplication(int marker, Segment &segment);
    void readScan(Segment &segment);
    void holdBlocks();
    void decodeDcScan(const std::vector<int> &inScan, const std::array<int, 4> &tables, int ah, int al);
    void restart(int &expected);
    bool complete(bool endMarker);
    void putOut(const std::function<void(int, int)> &begin, const std::function<void(const std::uint8_t *)> &take);
    void follow();
    std::uint64_t workBudget() const
    {
        return kJpegWorkPerByte * std::max(fileBytes_, input_.bytesRead()) + kJpegFreeWork;
    }

    Input input_;
    BitReader bits_;
    JpegWatch *watch_;
    std::uint64_t fileBytes_ = 0;
    JpegCost cost_;
    Frame frame_;
    bool sawFrame_ = false;
    bool held_ = false;
    int restartInterval_ = 0;
    std::array<int, 4> quant_{-1, -1, -1, -1};
    std::array<DcTable, 4> dcTables_{};
    bool sawJfif_ = false;
    int adobeTransform_ = -1;
    int firstBytes_[2] = {};
};

void Reader::follow()
{
    if (!watch_ || !watch_->progress)
        return;
    const double share = fileBytes_ == 0 ? 0 : std::min(1.0, double(input_.taken()) / double(fileBytes_));
    if (!watch_->progress(share))
        throw Refusal{JpegError::Kind::Cancelled, {}};
}

void Reader::readStart()
{
    if (input_.ended())
        throw Refusal{JpegError::Kind::Empty, {}};
    firstBytes_[0] = input_.next();
    firstBytes_[1] = input_.next();
    if (firstBytes_[0] != 0xFF || firstBytes_[1] != 0xD8)
        throw Refusal{JpegError::Kind::NotJpeg, {}};
}

void Reader::readFrame(Segment &segment)
{
    if (sawFrame_)
        Damaged("Invalid JPEG file structure: two SOF markers");
    sawFrame_ = true;
    if (segment.byte() != 8)
        Damaged("Unsupported JPEG data precision");
    frame_.height = segment.word();
    frame_.width = segment.word();
    frame_.count = segment.byte();
    if (frame_.width <= 0 || frame_.height <= 0 || frame_.count <= 0)
        Damaged("Empty JPEG image (DNL not supported)");
    if (frame_.width > kMaxJpegDimension || frame_.height > kMaxJpegDimension)
        throw Refusal{JpegError::Kind::TooLarge, {}};
    // Two or four components (CMYK, YCCK) are left to the whole decode's refusal.
    if (frame_.count != 1 && frame_.count != 3)
        NotForThisReader();
    for (int c = 0; c < frame_.count; ++c) {
        Component &component = frame_.components[std::size_t(c)];
        component.id = segment.byte();
        const int sampling = segment.byte();
        component.h = sampling >> 4;
        component.v = sampling & 15;
        component.table = segment.byte();
        if (component.h < 1 || component.h > 4 || component.v < 1 || component.v > 4)
            Damaged("Bogus sampling factors");
        if (component.table > 3)
            Damaged("Bogus quantization table number");
        frame_.maxH = std::max(frame_.maxH, component.h);
        frame_.maxV = std::max(frame_.maxV, component.v);
    }
    for (int c = 0; c < frame_.count; ++c) {
        Component &component = frame_.components[std::size_t(c)];
        if (frame_.maxH % component.h != 0 || frame_.maxV % component.v != 0)
            Damaged("Fractional sampling not implemented yet");
        component.widthInBlocks = int((std::int64_t(frame_.width) * component.h + 8 * frame_.maxH - 1) / (8 * frame_.maxH));
        component.heightInBlocks = int((std::int64_t(frame_.height) * component.v + 8 * frame_.maxV - 1) / (8 * frame_.maxV));
        component.stride = (frame_.width + 8 * frame_.maxH - 1) / (8 * frame_.maxH) * component.h;
        component.rows = (frame_.height + 8 * frame_.maxV - 1) / (8 * frame_.maxV) * component.v;
        cost_.blocks += std::uint64_t(component.widthInBlocks) * std::uint64_t(component.heightInBlocks);
    }
}

void Reader::readQuantisation(Segment &segment)
{
    while (segment.left() > 0) {
        const int precisionAndTable = segment.byte();
        const int precision = precisionAndTable >> 4;
        const int table = precisionAndTable & 15;
        if (table > 3 || precision > 1)
            Damaged("Bogus DQT index");
        // The first value of the zigzag order is the DC step.
        const auto value = [&] { return precision ? segment.word() : segment.byte(); };
        quant_[std::size_t(table)] = value();
        for (int i = 1; i < 64; ++i)
            value();
    }
}

void Reader::readTables(Segment &segment)
{
    while (segment.left() > 0) {
        const int kindAndIndex = segment.byte();
        const int kind = kindAndIndex >> 4;
        const int index = kindAndIndex & 15;
        if (kind > 1 || index > 3)
            Damaged("Bogus DHT index");
        std::array<int, 17> counts{};
        int total = 0;
        for (int length = 1; length <= 16; ++length) {
            counts[std::size_t(length)] = segment.byte();
            total += counts[std::size_t(length)];
        }
        if (total > 256 || std::size_t(total) > segment.left())
            Damaged("Bogus Huffman table definition");
        DcTable table;
        table.counts = counts;
        for (int i = 0; i < total; ++i)
            table.symbols[std::size_t(i)] = std::uint8_t(segment.byte());
        // AC tables serve only the data this reader skips.
        if (kind == 0) {
            table.defined = true;
            dcTables_[std::size_t(index)] = table;
        }
    }
}

// JFIF and Adobe's markers tell three components' colour space, as libjpeg reads them.
void Reader::readApplication(int marker, Segment &segment)
{
    char head[12] = {};
    const std::size_t length = std::min<std::size_t>(segment.left(), sizeof head);
    for (std::size_t i = 0; i < length; ++i)
        head[i] = char(segment.byte());
    if (marker == 0xE0 && length >= 5 && std::memcmp(head, "JFIF\0", 5) == 0)
        sawJfif_ = true;
    if (marker == 0xEE && length >= 12 && std::memcmp(head, "Adobe", 5) == 0)
        adobeTransform_ = std::uint8_t(head[11]);
}

// Every block of every component, one 16-bit value each, counted against the budget the
// whole decode was refused by.
void Reader::holdBlocks()
{
    if (held_)
        return;
    held_ = true;
    std::uint64_t bytes = std::uint64_t(frame_.width + 7) / 8 * 3;
    for (int c = 0; c < frame_.count; ++c) {
        const Component &component = frame_.components[std::size_t(c)];
        bytes += std::uint64_t(component.stride) * std::uint64_t(component.rows) * sizeof(std::int16_t);
    }
    if (bytes > std::uint64_t(kJpegMemoryBudget))
        NotForThisReader();
    // Every block is decoded at least once.
    if (cost_.blocks > workBudget())
        throw Refusal{JpegError::Kind::TooMuchWork, {}};
    try {
        for (int c = 0; c < frame_.count; ++c) {
            Component &component = frame_.components[std::size_t(c)];
            component.dc.assign(std::size_t(component.stride) * std::size_t(component.rows), 0);
        }
    } catch (const std::bad_alloc &) {
        throw Refusal{JpegError::Kind::NoMemory, {}};
    }
}

void Reader::readScan(Segment &segment)
{
    if (!sawFrame_)
        Damaged("Invalid JPEG file structure: SOS before SOF");
    const int count = segment.byte();
    if (count < 1 || count > 4 || segment.left() != std::size_t(2 * count + 3))
        Damaged("Bogus marker length");
    std::vector<int> inScan;
    std::array<int, 4> tables{};
    for (int i = 0; i < count; ++i) {
        const int id = segment.byte();
        const int huffmanTables = segment.byte();
        int found = -1;
        for (int c = 0; c < frame_.count; ++c) {
            if (frame_.components[std::size_t(c)].id == id)
                found = c;
        }
        if (found < 0 || std::find(inScan.begin(), inScan.end(), found) != inScan.end())
            Damaged("Invalid component ID in SOS");
        if ((huffmanTables >> 4) > 3)
            Damaged("Bogus Huffman table number");
        inScan.push_back(found);
        tables[std::size_t(i)] = huffmanTables >> 4;
    }
    const int ss = segment.byte();
    const int se = segment.byte();
    const int approximation = segment.byte();
    const int ah = approximation >> 4;
    const int al = approximation & 15;
    // The checks libjpeg makes of a progressive scan.
    bool bad = ss == 0 ? se != 0 : (ss > se || se > 63 || count != 1);
    if (ah != 0 && al != ah - 1)
        bad = true;
    if (al > 13)
        bad = true;
    if (bad)
        Damaged("Invalid progressive parameters");
    if (count > 1) {
        int blocks = 0;
        for (const int c : inScan)
            blocks += frame_.components[std::size_t(c)].h * frame_.components[std::size_t(c)].v;
        if (blocks > kMaxBlocksInMcu)
            Damaged("Sampling factors too large for interleaved scan");
    }
    for (const int c : inScan) {
        Component &component = frame_.components[std::size_t(c)];
        if (component.quant < 0) {
            component.quant = quant_[std::size_t(component.table)];
            if (component.quant < 0)
                Damaged("Quantization table not defined");
        }
    }
    holdBlocks();
    if (ss != 0) {
        bits_.skipScan();
        return;
    }
    decodeDcScan(inScan, tables, ah, al);
}

void Reader::restart(int &expected)
{
    bits_.discardBits();
    if (bits_.nextMarker() != 0xD0 + expected)
        Damaged("Corrupt JPEG data: a restart marker is missing or out of order");
    expected = (expected + 1) % 8;
}

void Reader::decodeDcScan(const std::vector<int> &inScan, const std::array<int, 4> &tables, int ah, int al)
{
    if (ah == 0) {
        for (std::size_t i = 0; i < inScan.size(); ++i) {
            DcTable &table = dcTables_[std::size_t(tables[i])];
            if (!table.defined)
                Damaged("Huffman table not defined");
            table.check();
        }
    }
    const bool interleaved = inScan.size() > 1;
    const Component &lone = frame_.components[std::size_t(inScan[0])];
    const int mcusPerRow = interleaved ? (frame_.width + 8 * frame_.maxH - 1) / (8 * frame_.maxH) : lone.widthInBlocks;
    const int mcuRows = interleaved ? (frame_.height + 8 * frame_.maxV - 1) / (8 * frame_.maxV) : lone.heightInBlocks;
    const std::uint64_t mcus = std::uint64_t(mcusPerRow) * std::uint64_t(mcuRows);
    std::array<std::uint32_t, 4> predicted{};
    int expected = 0;
    int blocksInMcu = 0;
    for (const int c : inScan)
        blocksInMcu += interleaved ? frame_.components[std::size_t(c)].h * frame_.components[std::size_t(c)].v : 1;

    for (std::uint64_t mcu = 0; mcu < mcus; ++mcu) {
        if (restartInterval_ > 0 && mcu > 0 && mcu % std::uint64_t(restartInterval_) == 0) {
            restart(expected);
            predicted = {};
        }
        if (mcu % kMcusBetweenWatches == 0)
            follow();
        const int mcuX = int(mcu % std::uint64_t(mcusPerRow));
        const int mcuY = int(mcu / std::uint64_t(mcusPerRow));
        for (std::size_t i = 0; i < inScan.size(); ++i) {
            Component &component = frame_.components[std::size_t(inScan[i])];
            const int across = interleaved ? component.h : 1;
            const int down = interleaved ? component.v : 1;
            for (int y = 0; y < down; ++y) {
                for (int x = 0; x < across; ++x) {
                    const std::size_t at = std::size_t(mcuY * down + y) * std::size_t(component.stride) + std::size_t(mcuX * across + x);
                    std::int16_t &dc = component.dc[at];
                    if (ah == 0) {
                        const int size = bits_.decode(dcTables_[std::size_t(tables[i])]);
                        int difference = 0;
                        if (size > 0) {
                            difference = bits_.bits(size);
                            if (difference < (1 << (size - 1)))
                                difference += 1 - (1 << size);
                        }
                        predicted[i] += std::uint32_t(difference);
                        dc = std::int16_t(std::uint16_t(predicted[i] << al));
                    } else if (bits_.bit()) {
                        dc = std::int16_t(std::uint16_t(dc) | (1u << al));
                    }
                }
            }
        }
        cost_.entropyBlocks += std::uint64_t(blocksInMcu);
        if (cost_.entropyBlocks + cost_.outputBlocks > workBudget())
            throw Refusal{JpegError::Kind::TooMuchWork, {}};
    }
    for (const int c : inScan) {
        Component &component = frame_.components[std::size_t(c)];
        if (ah == 0)
            component.hadFirstDc = true;
        component.dcBits = al;
    }
    bits_.discardBits();
}

// Whether the picture at 1/8 is all there: a component no scan carried would be made up
// whole; a file that ended before its DC values reached their last precision lost part
// of them.
bool Reader::complete(bool endMarker)
{
    std::uint64_t missing = 0;
    bool unrefined = false;
    for (int c = 0; c < frame_.count; ++c) {
        const Component &component = frame_.components[std::size_t(c)];
        if (!component.hadFirstDc)
            missing += std::uint64_t(component.widthInBlocks) * std::uint64_t(component.heightInBlocks);
        unrefined = unrefined || component.dcBits != 0;
    }
    if (!endMarker && (missing > 0 || unrefined || !sawFrame_))
        return false;
    if (missing > 0) {
        cost_.madeUpBlocks = missing;
        throw Refusal{JpegError::Kind::MadeUp, {}};
    }
    return true;
}

void Reader::putOut(const std::function<void(int, int)> &begin, const std::function<void(const std::uint8_t *)> &take)
{
    static const YccTables ycc;
    const int width = (frame_.width + 7) / 8;
    const int height = (frame_.height + 7) / 8;
    bool rgbStored = false;
    if (frame_.count == 3) {
        const auto &c = frame_.components;
        if (sawJfif_)
            rgbStored = false;
        else if (adobeTransform_ >= 0)
            rgbStored = adobeTransform_ == 0;
        else
            rgbStored = c[0].id == 'R' && c[1].id == 'G' && c[2].id == 'B';
    }
    const std::uint64_t output = (std::uint64_t(width) * std::uint64_t(height) * std::uint64_t(frame_.count) + 63) / 64;
    if (cost_.entropyBlocks + output > workBudget())
        throw Refusal{JpegError::Kind::TooMuchWork, {}};
    begin(width, height);
    std::vector<std::uint8_t> row(std::size_t(width) * 3);
    std::array<std::uint8_t, kMaxFrameComponents> sample{};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < frame_.count; ++c) {
                const Component &component = frame_.components[std::size_t(c)];
                // Each block stands for as many pixels at 1/8 as its sampling is below the
                // largest, repeated as libjpeg's plain upsampling repeats them.
                const int bx = std::min(x / (frame_.maxH / component.h), component.stride - 1);
                const int by = std::min(y / (frame_.maxV / component.v), component.rows - 1);
                sample[std::size_t(c)] = DcSample(component.dc[std::size_t(by) * std::size_t(component.stride) + std::size_t(bx)], component.quant);
            }
            std::uint8_t *rgb = &row[std::size_t(x) * 3];
            if (frame_.count == 1)
                rgb[0] = rgb[1] = rgb[2] = sample[0];
            else if (rgbStored)
                std::copy_n(sample.begin(), 3, rgb);
            else
                ycc.convert(sample[0], sample[1], sample[2], rgb);
        }
        take(row.data());
        cost_.outputBlocks = (std::uint64_t(y + 1) * std::uint64_t(width) * std::uint64_t(frame_.count) + 63) / 64;
    }
}

void Reader::read(const std::function<void(int, int)> &begin, const std::function<void(const std::uint8_t *)> &take)
{
    readStart();
    for (;;) {
        int marker;
        try {
            marker = bits_.nextMarker();
        } catch (const FileEnded &) {
            // A file that lacks only its end marker, or scans the picture at 1/8 does not
            // need, loads.
            if (!complete(false))
                throw;
            break;
        }
        follow();
        if (marker == 0xD9) {
            if (!sawFrame_)
                Damaged("Invalid JPEG file structure: missing SOS marker");
            complete(true);
            break;
        }
        if (marker == 0xD8)
            Damaged("Invalid JPEG file structure: two SOI markers");
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue;  // markers without a segment, out of place: libjpeg lets them go
        const int high = input_.next();
        const int length = ((high << 8) | input_.next()) - 2;
        if (length < 0)
            Damaged("Bogus marker length");
        Segment segment(input_, length);
        switch (marker) {
        case 0xC2:
            readFrame(segment);
            break;
        case 0xC4:
            readTables(segment);
            break;
        case 0xDB:
            readQuantisation(segment);
            break;
        case 0xDD:
            restartInterval_ = segment.word();
            break;
        case 0xDA:
            readScan(segment);
            break;
        case 0xE0:
        case 0xEE:
            readApplication(marker, segment);
            break;
        default:
            // Any other frame, and arithmetic coding, is not this reader's.
            if (marker >= 0xC0 && marker <= 0xCF)
                NotForThisReader();
            break;
        }
    }
    putOut(begin, take);
}

}  // namespace

bool ReadProgressiveDc(QIODevice &device, JpegError *error, JpegWatch *watch,
                       const std::function<void(int width, int height)> &begin,
                       const std::function<void(const std::uint8_t *rgb)> &take)
{
    const auto reader = std::make_unique<Reader>(device, watch);
    JpegError reason;
    try {
        reader->read(begin, take);
    } catch (const Refusal &refusal) {
        reason.kind = refusal.kind;
        reason.detail = refusal.detail;
    } catch (const FileEnded &) {
        reason.kind = JpegError::Kind::FileEnded;
        reason.count = reader->bytesRead();
    }
    const JpegCost cost = reader->cost();
    if (watch)
        watch->cost = cost;
    if (reason.kind == JpegError::Kind::None)
        return true;
    reason.width = reader->frame().width;
    std::copy_n(reader->firstBytes(), 2, reason.firstBytes);
    reason.height = reader->frame().height;
    if (reason.kind == JpegError::Kind::MadeUp) {
        reason.count = cost.madeUpBlocks;
        reason.total = cost.blocks;
    } else if (reason.kind == JpegError::Kind::TooMuchWork) {
        reason.count = cost.inputBytes;
    }
    if (error)
        *error = reason;
    return false;
}

}  // namespace tintora
