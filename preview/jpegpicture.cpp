#include "preview/jpegpicture.h"

#include "preview/boxscaler.h"
#include "preview/progressivedc.h"
#include "scheme/inputfile.h"

#include <QDir>
#include <QFile>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <memory>

#include <jpeglib.h>
#include <jerror.h>
#if __has_include(<jpegint.h>)
#include <jpegint.h>
#else
// libjpeg-turbo's own installs leave this header out; the two parts used here
// have kept their layout since libjpeg 6b.
struct jpeg_marker_reader {
    void (*reset_marker_reader)(j_decompress_ptr cinfo);
    int (*read_markers)(j_decompress_ptr cinfo);
    jpeg_marker_parser_method read_restart_marker;
    boolean saw_SOI;
    boolean saw_SOF;
    int next_restart_num;
    unsigned int discarded_bytes;
};
struct jpeg_entropy_decoder {
    void (*start_pass)(j_decompress_ptr cinfo);
    boolean (*decode_mcu)(j_decompress_ptr cinfo, JBLOCKROW *MCU_data);
    boolean insufficient_data;
};
#endif

namespace tintora {
namespace {

constexpr std::size_t kInputChunk = 16384;

// Arithmetic decoding reads two bytes ahead, so real blocks may follow the
// point where the data reached its marker: in photographs' scans no more than 3
// MCUs do.
constexpr int kReadAheadMcus = 8;

struct ErrorManager {
    jpeg_error_mgr pub;  // first, libjpeg hands back a pointer to it
    std::jmp_buf jump;
    bool endOfFile;
    char message[JMSG_LENGTH_MAX];
};

struct DeviceSource {
    jpeg_source_mgr pub;  // first, libjpeg hands back a pointer to it
    QIODevice *device;
    bool startOfFile;
    std::uint64_t bytesRead;
    JOCTET buffer[kInputChunk];
};

enum class Refusal { None, MadeUp, TooMuchWork, Cancelled, FileEnded };

// Counts the decoder's work and the blocks it makes up, by standing between
// libjpeg's scan decoding and its entropy decoder, restart marker reader and
// progress hook. Made-up blocks are known by the entropy decoders' own state:
// Huffman decoding flags a segment whose data ran out. Arithmetic decoding has
// no such flag, and its coder leaves out the zero bytes that end a segment: a
// flat stretch of picture, up to a whole segment, may lawfully be decoded from
// no data at all. There the MCUs of an empty segment, and those more than
// kReadAheadMcus after the data reached its marker, are decoded from nothing;
// they are made up once a marker shows that the data ran out: the file's own
// end, or any but the restart marker due next (after the scan's last
// interval: any but a restart marker). Until then they are held in doubt, and
// counted as made up with the rest should the scan's data run out later.
struct Watcher {
    jpeg_progress_mgr pub;  // first, libjpeg hands back a pointer to it
    JpegWatch *client;
    JpegCost cost;
    Refusal refusal;
    bool started;
    bool outputStarted;
    std::uint64_t fileBytes;  // 0 when the device cannot tell
    std::uint64_t outputReserve;
    void (*startPass)(j_decompress_ptr);
    boolean (*decodeMcu)(j_decompress_ptr, JBLOCKROW *);
    jpeg_marker_parser_method readRestartMarker;
    // The scan and its restart interval ("segment") being decoded.
    int creditBlocks;  // blocks of an MCU whose first DC coefficient this scan carries
    bool segmentBegins;
    bool segmentEmpty;
    bool segmentBroken;  // arithmetic decoding gave up on the rest of the segment
    bool segmentLast;    // the scan's last restart interval
    bool segmentRanOut;  // its data reached a marker that does not end it
    int afterEnd;        // MCUs decoded since the segment's data ended
    std::uint64_t mcuInScan;    // MCUs decoded so far in this scan
    std::uint64_t doubtBlocks;  // decoded from nothing in this scan, so far lawfully
    bool hadFirstDc[MAX_COMPONENTS];
};

// All that libjpeg touches. Trivially destructible, so the jump back from the
// error exit skips nothing that needs cleaning up.
struct Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager error;
    DeviceSource source;
    Watcher watch;
};

enum class Outcome { Decoded, DecoderError, TooLarge, NoMemory, OverBudget, MadeUp, TooMuchWork, Cancelled, FileEnded };

Decoder &DecoderOf(j_decompress_ptr cinfo)
{
    return *static_cast<Decoder *>(cinfo->client_data);
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto *error = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->message);
    std::longjmp(error->jump, 1);
}

// Warnings only mark what the watcher counts: the file's end, Huffman data
// missing after it (libjpeg would paint the rest grey), arithmetic data broken
// off.
void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    auto *error = reinterpret_cast<ErrorManager *>(cinfo->err);
    ++cinfo->err->num_warnings;
    if (cinfo->err->msg_code == JWRN_JPEG_EOF) {
        error->endOfFile = true;
    } else if (cinfo->err->msg_code == JWRN_HIT_MARKER && error->endOfFile) {
        ErrorExit(cinfo);
    } else if (cinfo->err->msg_code == JWRN_ARITH_BAD_CODE) {
        DecoderOf(reinterpret_cast<j_decompress_ptr>(cinfo)).watch.segmentBroken = true;
    }
}

void InitSource(j_decompress_ptr cinfo)
{
    reinterpret_cast<DeviceSource *>(cinfo->src)->startOfFile = true;
}

// Reads in chunks, so a large file costs no more memory than a small one.
boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    auto *source = reinterpret_cast<DeviceSource *>(cinfo->src);
    qint64 count = source->device->read(reinterpret_cast<char *>(source->buffer), kInputChunk);
    if (count <= 0) {
        if (source->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        // A made-up end marker lets the decoder stop. Only a file that lacked
        // no more than that marker loads: any block or scan missing after it
        // refuses the picture (EmitMessage, DecodeMcu, CountMissingScans), and
        // so does any error of the decoder's, which it owes to the marker.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    } else {
        source->bytesRead += std::uint64_t(count);
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = std::size_t(count);
    source->startOfFile = false;
    return TRUE;
}

// Whether entropy-coded data, not a marker, comes next. Looks ahead without
// taking anything; fill bytes (0xFF before a marker) are let go, as every
// reader of the data does.
bool DataAhead(j_decompress_ptr cinfo)
{
    if (cinfo->unread_marker != 0)
        return false;
    auto *source = reinterpret_cast<DeviceSource *>(cinfo->src);
    for (;;) {
        const JOCTET *next = source->pub.next_input_byte;
        std::size_t left = source->pub.bytes_in_buffer;
        while (left > 1 && next[0] == 0xFF && next[1] == 0xFF) {
            ++next;
            --left;
        }
        if (left >= 2 || (left == 1 && next[0] != 0xFF))
            return next[0] != 0xFF || next[1] == 0;
        // One 0xFF or nothing left: keep it, read on behind it.
        std::memmove(source->buffer, next, left);
        const qint64 count = source->device->read(reinterpret_cast<char *>(source->buffer + left), qint64(kInputChunk - left));
        source->pub.next_input_byte = source->buffer;
        source->pub.bytes_in_buffer = left;
        if (count <= 0)
            return false;  // the file ends here
        source->bytesRead += std::uint64_t(count);
        source->pub.bytes_in_buffer += std::size_t(count);
    }
}

void SkipInputData(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr *source = cinfo->src;
    while (std::size_t(count) > source->bytes_in_buffer) {
        count -= long(source->bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= std::size_t(count);
}

void TermSource(j_decompress_ptr) {}

// Adobe's programs store CMYK inverted (0 = full ink), and the common reading
// takes an Adobe marker to mean that; without one the values are plain ink.
void CmykToRgb(const JSAMPLE *cmyk, JSAMPLE *rgb, JDIMENSION width, bool inverted)
{
    const unsigned flip = inverted ? 0 : 255;
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        const unsigned white = cmyk[3] ^ flip;
        for (int channel = 0; channel < 3; ++channel)
            *rgb++ = JSAMPLE(((cmyk[channel] ^ flip) * white + 127) / 255);
    }
}

// libjpeg-turbo writes a row that starts on a 32-byte boundary with stores
// that bypass the cache, which suits a picture kept whole. Rows here are read
// again at once, so none starts on such a boundary.
JSAMPARRAY CachedRows(j_common_ptr cinfo, JDIMENSION rowBytes, JDIMENSION count)
{
    constexpr std::uintptr_t kBoundary = 32;
    const std::size_t stride = (rowBytes + kBoundary - 1) / kBoundary * kBoundary;
    auto *rows = static_cast<JSAMPARRAY>((*cinfo->mem->alloc_small)(cinfo, JPOOL_IMAGE, count * sizeof(JSAMPROW)));
    auto *block = static_cast<JSAMPLE *>((*cinfo->mem->alloc_large)(cinfo, JPOOL_IMAGE, stride * count + 2 * kBoundary));
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(block) + kBoundary - 1) / kBoundary * kBoundary + kBoundary / 2;
    for (JDIMENSION i = 0; i < count; ++i)
        rows[i] = reinterpret_cast<JSAMPROW>(first + i * stride);
    return rows;
}

[[noreturn]] void Refuse(Decoder &d, Refusal refusal)
{
    d.watch.refusal = refusal;
    std::longjmp(d.error.jump, 1);
}

std::uint64_t WorkBudget(const Decoder &d)
{
    return kJpegWorkPerByte * std::max(d.watch.fileBytes, d.source.bytesRead) + kJpegFreeWork;
}

void CheckMadeUp(Decoder &d)
{
    const JpegCost &cost = d.watch.cost;
    if (cost.madeUpBlocks > cost.blocks / kJpegMadeUpShare || cost.madeUpBlocks > kJpegMadeUpLimit)
        Refuse(d, Refusal::MadeUp);
}

// Whether the marker that the arithmetic data of the segment reached is where
// the segment ends in a whole file.
bool EndsTheSegment(const Decoder &d)
{
    if (d.error.endOfFile)
        return false;  // the source made that marker up
    const int marker = d.cinfo.unread_marker;
    const bool restart = marker >= JPEG_RST0 && marker <= JPEG_RST0 + 7;
    return d.watch.segmentLast ? !restart : marker == JPEG_RST0 + d.cinfo.marker->next_restart_num;
}

void BeginSegment(j_decompress_ptr cinfo)
{
    Watcher &w = DecoderOf(cinfo).watch;
    w.segmentBegins = true;
    w.segmentEmpty = cinfo->arith_code && !DataAhead(cinfo);
    w.segmentBroken = false;
    const std::uint64_t scanMcus = std::uint64_t(cinfo->MCUs_per_row) * cinfo->MCU_rows_in_scan;
    w.segmentLast = cinfo->restart_interval == 0 || w.mcuInScan + cinfo->restart_interval >= scanMcus;
    w.segmentRanOut = false;
    w.afterEnd = 0;
}

void BeginScan(j_decompress_ptr cinfo)
{
    Watcher &w = DecoderOf(cinfo).watch;
    w.creditBlocks = 0;
    w.mcuInScan = 0;
    w.doubtBlocks = 0;
    const bool firstDc = !cinfo->progressive_mode || (cinfo->Ss == 0 && cinfo->Ah == 0);
    for (int i = 0; i < cinfo->comps_in_scan; ++i) {
        const jpeg_component_info *component = cinfo->cur_comp_info[i];
        bool &had = w.hadFirstDc[component->component_index];
        if (firstDc && !had) {
            had = true;
            w.creditBlocks += component->MCU_blocks;
        }
    }
    BeginSegment(cinfo);
}

boolean DecodeMcu(j_decompress_ptr cinfo, JBLOCKROW *blocks)
{
    Decoder &d = DecoderOf(cinfo);
    Watcher &w = d.watch;
    const bool dataEnded = cinfo->unread_marker != 0;
    if (!w.decodeMcu(cinfo, blocks))
        return FALSE;
    bool madeUp;
    if (!cinfo->arith_code) {
        madeUp = cinfo->entropy->insufficient_data;
    } else {
        if (dataEnded && !w.segmentBegins)
            ++w.afterEnd;
        madeUp = w.segmentBroken;
        if (w.segmentBegins ? w.segmentEmpty : w.afterEnd > kReadAheadMcus) {
            if (!w.segmentRanOut && !EndsTheSegment(d)) {
                w.segmentRanOut = true;
                w.cost.madeUpBlocks += w.doubtBlocks;
                w.doubtBlocks = 0;
            }
            if (w.segmentRanOut)
                madeUp = true;
            else
                w.doubtBlocks += std::uint64_t(w.creditBlocks);
        }
    }
    w.segmentBegins = false;
    ++w.mcuInScan;
    w.cost.entropyBlocks += std::uint64_t(cinfo->blocks_in_MCU);
    if (w.cost.entropyBlocks + w.outputReserve > WorkBudget(d))
        Refuse(d, Refusal::TooMuchWork);
    if (madeUp && d.error.endOfFile)
        Refuse(d, Refusal::FileEnded);
    if (madeUp && w.creditBlocks > 0) {
        w.cost.madeUpBlocks += std::uint64_t(w.creditBlocks);
        CheckMadeUp(d);
    }
    return TRUE;
}

// Each scan may bring its own decoding routine, or keep the one already watched (a
// sequential Huffman picture of several scans): watching that again would call itself.
void WatchDecodeMcu(j_decompress_ptr cinfo)
{
    if (cinfo->entropy->decode_mcu == DecodeMcu)
        return;
    DecoderOf(cinfo).watch.decodeMcu = cinfo->entropy->decode_mcu;
    cinfo->entropy->decode_mcu = DecodeMcu;
}

void StartPass(j_decompress_ptr cinfo)
{
    Watcher &w = DecoderOf(cinfo).watch;
    w.startPass(cinfo);
    WatchDecodeMcu(cinfo);
    BeginScan(cinfo);
}

boolean ReadRestartMarker(j_decompress_ptr cinfo)
{
    Watcher &w = DecoderOf(cinfo).watch;
    if (!w.readRestartMarker(cinfo))
        return FALSE;
    BeginSegment(cinfo);
    return TRUE;
}

// Once the entropy decoder exists and before it decodes anything: the first
// scan is already set up.
void StartWatching(Decoder &d)
{
    Watcher &w = d.watch;
    w.started = true;
    j_decompress_ptr cinfo = &d.cinfo;
    for (int c = 0; c < cinfo->num_components; ++c) {
        const jpeg_component_info &component = cinfo->comp_info[c];
        w.cost.blocks += std::uint64_t(component.width_in_blocks) * component.height_in_blocks;
    }
    w.outputReserve = (std::uint64_t(cinfo->image_width) * cinfo->image_height * std::uint64_t(cinfo->num_components) + 63) / 64;
    // Every block is decoded at least once, then put out.
    if (w.cost.blocks + w.outputReserve > WorkBudget(d))
        Refuse(d, Refusal::TooMuchWork);
    w.startPass = cinfo->entropy->start_pass;
    cinfo->entropy->start_pass = StartPass;
    WatchDecodeMcu(cinfo);
    BeginScan(cinfo);
}

void ProgressMonitor(j_common_ptr common)
{
    Decoder &d = DecoderOf(reinterpret_cast<j_decompress_ptr>(common));
    Watcher &w = d.watch;
    if (!w.started)
        StartWatching(d);
    if (!w.client || !w.client->progress)
        return;
    // Reading the scans of a picture held whole, then putting out its rows.
    double share;
    const jpeg_decompress_struct &cinfo = d.cinfo;
    if (w.outputStarted) {
        share = double(cinfo.output_scanline) / double(std::max<JDIMENSION>(cinfo.output_height, 1));
        if (jpeg_has_multiple_scans(&d.cinfo))
            share = 0.5 + share / 2;
    } else {
        const std::uint64_t taken = d.source.bytesRead - d.source.pub.bytes_in_buffer;
        share = w.fileBytes == 0 ? 0 : std::min(1.0, double(taken) / double(w.fileBytes)) / 2;
    }
    if (!w.client->progress(share))
        Refuse(d, Refusal::Cancelled);
}

// Whether some coefficient of a progressive picture never reached its full
// precision: its last scans are missing.
bool Unrefined(const jpeg_decompress_struct &cinfo)
{
    if (!cinfo.progressive_mode)
        return false;
    for (int c = 0; c < cinfo.num_components; ++c)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (cinfo.coef_bits[c][k] != 0)
                return true;
    return false;
}

// Components that no scan carried are made up whole. A file that ended
// between two scans has nothing else to show for the scans it lost.
void CountMissingScans(Decoder &d)
{
    std::uint64_t missing = 0;
    for (int c = 0; c < d.cinfo.num_components; ++c) {
        const jpeg_component_info &component = d.cinfo.comp_info[c];
        if (!d.watch.hadFirstDc[component.component_index])
            missing += std::uint64_t(component.width_in_blocks) * component.height_in_blocks;
    }
    d.watch.cost.madeUpBlocks += missing;
    if (d.error.endOfFile && (missing > 0 || Unrefined(d.cinfo)))
        Refuse(d, Refusal::FileEnded);
    CheckMadeUp(d);
}

// Only trivially destructible locals live here: the error exit jumps back
// into this frame from inside libjpeg.
template <typename Begin, typename Take>
Outcome RunDecoder(Decoder &d, const Begin &begin, const Take &take)
{
    if (setjmp(d.error.jump)) {
        switch (d.watch.refusal) {
        case Refusal::MadeUp:
            // A file that simply stopped short is better called so.
            return d.error.endOfFile ? Outcome::FileEnded : Outcome::MadeUp;
        case Refusal::TooMuchWork:
            return Outcome::TooMuchWork;
        case Refusal::Cancelled:
            return Outcome::Cancelled;
        case Refusal::FileEnded:
            return Outcome::FileEnded;
        case Refusal::None:
            break;
        }
        // libjpeg's way of saying the whole picture would not fit the budget.
        if (d.error.pub.msg_code == JERR_NO_BACKING_STORE)
            return Outcome::OverBudget;
        return d.error.endOfFile ? Outcome::FileEnded : Outcome::DecoderError;
    }
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.client_data = &d;
    d.cinfo.mem->max_memory_to_use = kJpegMemoryBudget;
    d.cinfo.src = &d.source.pub;
    d.cinfo.progress = &d.watch.pub;
    d.watch.readRestartMarker = d.cinfo.marker->read_restart_marker;
    d.cinfo.marker->read_restart_marker = ReadRestartMarker;
    jpeg_read_header(&d.cinfo, TRUE);
    // libjpeg-turbo has the same limit, other builds may not.
    if (d.cinfo.image_width > JDIMENSION(kMaxJpegDimension) || d.cinfo.image_height > JDIMENSION(kMaxJpegDimension))
        return Outcome::TooLarge;

    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&d.cinfo);
    // A picture held whole has been read in by now, a streamed one not yet.
    if (!d.watch.started)
        StartWatching(d);
    else
        CountMissingScans(d);
    d.watch.outputStarted = true;

    const JDIMENSION width = d.cinfo.output_width;
    if (!begin(int(width), int(d.cinfo.output_height)))
        return Outcome::NoMemory;
    auto *common = reinterpret_cast<j_common_ptr>(&d.cinfo);
    const JDIMENSION rowsAtOnce = JDIMENSION(d.cinfo.rec_outbuf_height);
    JSAMPARRAY rows = CachedRows(common, width * JDIMENSION(d.cinfo.output_components), rowsAtOnce);
    JSAMPARRAY rgb = cmyk ? (*d.cinfo.mem->alloc_sarray)(common, JPOOL_IMAGE, width * 3, 1) : nullptr;
    const bool inverted = d.cinfo.saw_Adobe_marker;
    const std::uint64_t rowBlocks = std::uint64_t(width) * std::uint64_t(d.cinfo.num_components);

    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const JDIMENSION count = jpeg_read_scanlines(&d.cinfo, rows, rowsAtOnce);
        for (JDIMENSION i = 0; i < count; ++i) {
            if (cmyk) {
                CmykToRgb(rows[i], rgb[0], width, inverted);
                take(rgb[0]);
            } else {
                take(rows[i]);
            }
        }
        d.watch.cost.outputBlocks = (std::uint64_t(d.cinfo.output_scanline) * rowBlocks + 63) / 64;
    }
    // No jpeg_finish_decompress: every row is in, whatever follows the last
    // scan cannot change the picture.
    return Outcome::Decoded;
}

// The decoder's own complaint, told apart where the interface has words of its own.
JpegError DecoderError(const ErrorManager &error)
{
    JpegError reason;
    reason.detail = QString::fromLatin1(error.message);
    switch (error.pub.msg_code) {
    case JERR_NO_SOI:
        reason.kind = JpegError::Kind::NotJpeg;
        reason.firstBytes[0] = error.pub.msg_parm.i[0];
        reason.firstBytes[1] = error.pub.msg_parm.i[1];
        break;
    case JERR_INPUT_EMPTY:
        reason.kind = JpegError::Kind::Empty;
        break;
    default:
        reason.kind = JpegError::Kind::Decoder;
        break;
    }
    return reason;
}

// Hands the picture to begin(width, height), which returns false when there
// is no memory for it, then its rows top to bottom to take(rgb), 3 bytes a
// pixel.
template <typename Begin, typename Take>
bool DecodeRows(QIODevice &device, JpegError *error, JpegWatch *watch, const Begin &begin, const Take &take)
{
    const auto decoder = std::make_unique<Decoder>();
    Decoder &d = *decoder;
    d.cinfo.err = jpeg_std_error(&d.error.pub);
    d.error.pub.error_exit = ErrorExit;
    d.error.pub.emit_message = EmitMessage;
    d.source.pub.init_source = InitSource;
    d.source.pub.fill_input_buffer = FillInputBuffer;
    d.source.pub.skip_input_data = SkipInputData;
    d.source.pub.resync_to_restart = jpeg_resync_to_restart;
    d.source.pub.term_source = TermSource;
    d.source.device = &device;
    d.watch.pub.progress_monitor = ProgressMonitor;
    d.watch.client = watch;
    if (!device.isSequential())
        d.watch.fileBytes = std::uint64_t(std::max<qint64>(device.size() - device.pos(), 0));
    const std::unique_ptr<jpeg_decompress_struct, void (*)(j_decompress_ptr)> cleanup(&d.cinfo, jpeg_destroy_decompress);

    const Outcome outcome = RunDecoder(d, begin, take);
    d.watch.cost.inputBytes = std::max(d.watch.fileBytes, d.source.bytesRead);
    if (watch)
        watch->cost = d.watch.cost;
    if (outcome == Outcome::Decoded)
        return true;
    if (!error)
        return false;
    const JpegCost &cost = d.watch.cost;
    JpegError reason;
    reason.width = int(d.cinfo.image_width);
    reason.height = int(d.cinfo.image_height);
    switch (outcome) {
    case Outcome::Decoded:
        break;
    case Outcome::MadeUp:
        reason.kind = JpegError::Kind::MadeUp;
        reason.count = cost.madeUpBlocks;
        reason.total = cost.blocks;
        break;
    case Outcome::TooMuchWork:
        reason.kind = JpegError::Kind::TooMuchWork;
        reason.count = cost.inputBytes;
        break;
    case Outcome::Cancelled:
        reason.kind = JpegError::Kind::Cancelled;
        break;
    case Outcome::FileEnded:
        reason.kind = JpegError::Kind::FileEnded;
        reason.count = d.source.bytesRead;
        break;
    case Outcome::DecoderError:
        reason = DecoderError(d.error);
        break;
    case Outcome::TooLarge:
        reason.kind = JpegError::Kind::TooLarge;
        break;
    case Outcome::OverBudget:
        reason.kind = JpegError::Kind::OverBudget;
        break;
    case Outcome::NoMemory:
        reason.kind = JpegError::Kind::NoMemory;
        reason.width = int(d.cinfo.output_width);
        reason.height = int(d.cinfo.output_height);
        break;
    }
    *error = reason;
    return false;
}

bool OpenForReading(QFile &file, JpegError *error)
{
    JpegError reason;
    if (IsSpecialFile(file.fileName())) {
        reason.kind = JpegError::Kind::NotRegularFile;
    } else if (file.open(QIODevice::ReadOnly)) {
        return true;
    } else {
        reason.kind = JpegError::Kind::NotOpened;
        reason.detail = file.errorString();
    }
    reason.path = QDir::toNativeSeparators(file.fileName());
    if (error)
        *error = reason;
    return false;
}

// Decoding a file: the reason names it.
std::optional<QImage> NamingTheFile(const QFile &file, std::optional<QImage> picture, JpegError *error)
{
    if (!picture && error)
        error->path = QDir::toNativeSeparators(file.fileName());
    return picture;
}

}  // namespace

std::optional<QImage> LoadJpegScaled(QIODevice &device, int w, int h, JpegError *error,
                                     JpegWatch *watch)
{
    const qint64 start = device.pos();
    std::optional<BoxScaler> scaler;
    JpegReading whole;
    JpegError reason;
    const bool decoded = DecodeRows(
        device, &reason, watch,
        [&](int width, int height) {
            whole = {width, height, 1};
            scaler.emplace(width, height, w, h);
            return true;
        },
        [&](const JSAMPLE *row) { scaler->addRow(row); });
    if (decoded) {
        if (watch)
            watch->reading = whole;
        return scaler->result();
    }
    if (reason.kind == JpegError::Kind::OverBudget && !device.isSequential() && device.seek(start)) {
        JpegError reduced;
        const bool read = ReadProgressiveDc(
            device, &reduced, watch, [&](int width, int height) { scaler.emplace(width, height, w, h); },
            [&](const std::uint8_t *row) { scaler->addRow(row); });
        if (read) {
            if (watch)
                watch->reading = {reason.width, reason.height, 8};
            return scaler->result();
        }
        // A picture the reader cannot take either keeps the whole decode's refusal.
        if (reduced.kind != JpegError::Kind::OverBudget)
            reason = reduced;
    }
    if (error)
        *error = reason;
    return std::nullopt;
}

std::optional<QImage> LoadJpegScaled(const QString &path, int w, int h, JpegError *error,
                                     JpegWatch *watch)
{
    QFile file(path);
    if (!OpenForReading(file, error))
        return std::nullopt;
    return NamingTheFile(file, LoadJpegScaled(file, w, h, error, watch), error);
}

std::optional<QImage> DecodeJpeg(QIODevice &device, JpegError *error, JpegWatch *watch)
{
    QImage picture;
    int y = 0;
    const bool decoded = DecodeRows(
        device, error, watch,
        [&](int width, int height) {
            picture = QImage(width, height, QImage::Format_RGB888);
            return !picture.isNull();
        },
        [&](const JSAMPLE *row) {
            std::memcpy(picture.scanLine(y++), row, std::size_t(picture.width()) * 3);
        });
    if (!decoded)
        return std::nullopt;
    return picture;
}

std::optional<QImage> DecodeJpeg(const QString &path, JpegError *error, JpegWatch *watch)
{
    QFile file(path);
    if (!OpenForReading(file, error))
        return std::nullopt;
    return NamingTheFile(file, DecodeJpeg(file, error, watch), error);
}

}  // namespace tintora
