#include "preview/jpegpicture.h"

#include "preview/boxscaler.h"
#include "scheme/inputfile.h"

#include <QDir>
#include <QFile>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include <jpeglib.h>
#include <jerror.h>

namespace tintora {
namespace {

constexpr std::size_t kInputChunk = 16384;

// Arithmetic coding may stop its data at a marker and leave the rest of the picture
// to zeros, so a few hundred bytes can stand for gigapixels of made-up rows that take
// minutes to decode. Data that ends with more than this many pixels still to come is
// taken as cut short; a real picture's data ends within its last rows of blocks.
constexpr std::uint64_t kMadeUpPixelLimit = std::uint64_t(16) << 20;

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
    JOCTET buffer[kInputChunk];
};

// All that libjpeg touches. Trivially destructible, so the jump back from the
// error exit skips nothing that needs cleaning up.
struct Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager error;
    DeviceSource source;
};

enum class Outcome { Decoded, DecoderError, TooLarge, NoMemory, OverBudget };

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto *error = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->message);
    std::longjmp(error->jump, 1);
}

// Warnings stay silent except the one that means picture data is missing,
// after which libjpeg would paint the rest grey. When the file simply ended,
// that is the clearer thing to say.
void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    auto *error = reinterpret_cast<ErrorManager *>(cinfo->err);
    ++cinfo->err->num_warnings;
    if (cinfo->err->msg_code == JWRN_JPEG_EOF) {
        error->endOfFile = true;
    } else if (cinfo->err->msg_code == JWRN_HIT_MARKER) {
        if (error->endOfFile)
            cinfo->err->msg_code = JWRN_JPEG_EOF;
        ErrorExit(cinfo);
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
        // A made-up end marker lets the decoder stop; the picture is then
        // refused (RunDecoder), sooner where EmitMessage sees data missing.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = std::size_t(count);
    source->startOfFile = false;
    return TRUE;
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

// Restart markers belong inside the data of a picture that has restart intervals; any
// other marker ends it.
bool DataEndedLongBeforeThePicture(const jpeg_decompress_struct &cinfo)
{
    const int marker = cinfo.unread_marker;
    const bool restart = marker >= JPEG_RST0 && marker <= JPEG_RST0 + 7;
    if (marker == 0 || (restart && cinfo.restart_interval != 0))
        return false;
    const std::uint64_t rowsLeft = cinfo.output_height - cinfo.output_scanline;
    return rowsLeft * cinfo.output_width > kMadeUpPixelLimit;
}

// Only trivially destructible locals live here: the error exit jumps back
// into this frame from inside libjpeg.
template <typename Begin, typename Take>
Outcome RunDecoder(Decoder &d, const Begin &begin, const Take &take)
{
    if (setjmp(d.error.jump)) {
        // libjpeg's way of saying the whole picture would not fit the budget.
        return d.error.pub.msg_code == JERR_NO_BACKING_STORE ? Outcome::OverBudget : Outcome::DecoderError;
    }
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.mem->max_memory_to_use = kJpegMemoryBudget;
    d.cinfo.src = &d.source.pub;
    jpeg_read_header(&d.cinfo, TRUE);
    // libjpeg-turbo has the same limit, other builds may not.
    if (d.cinfo.image_width > JDIMENSION(kMaxJpegDimension) || d.cinfo.image_height > JDIMENSION(kMaxJpegDimension))
        return Outcome::TooLarge;

    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&d.cinfo);

    const JDIMENSION width = d.cinfo.output_width;
    if (!begin(int(width), int(d.cinfo.output_height)))
        return Outcome::NoMemory;
    auto *common = reinterpret_cast<j_common_ptr>(&d.cinfo);
    const JDIMENSION rowsAtOnce = JDIMENSION(d.cinfo.rec_outbuf_height);
    JSAMPARRAY rows = CachedRows(common, width * JDIMENSION(d.cinfo.output_components), rowsAtOnce);
    JSAMPARRAY rgb = cmyk ? (*d.cinfo.mem->alloc_sarray)(common, JPOOL_IMAGE, width * 3, 1) : nullptr;
    const bool inverted = d.cinfo.saw_Adobe_marker;

    // Once the file has ended the picture is refused below, so the rows still
    // to come are not decoded: from a few bytes arithmetic coding would make up
    // gigapixels of guesses, for minutes.
    while (d.cinfo.output_scanline < d.cinfo.output_height && !d.error.endOfFile) {
        const JDIMENSION count = jpeg_read_scanlines(&d.cinfo, rows, rowsAtOnce);
        for (JDIMENSION i = 0; i < count; ++i) {
            if (cmyk) {
                CmykToRgb(rows[i], rgb[0], width, inverted);
                take(rgb[0]);
            } else {
                take(rows[i]);
            }
        }
        if (DataEndedLongBeforeThePicture(d.cinfo))
            d.error.endOfFile = true;
    }
    // The source made up the end of a file that stopped short. Arithmetic
    // coding gives no warning of its own and fills the rest with guesses, so
    // the picture is refused whatever its coding.
    if (d.error.endOfFile) {
        d.cinfo.err->msg_code = JWRN_JPEG_EOF;
        ErrorExit(common);
    }
    // No jpeg_finish_decompress: every row is in, whatever follows the last
    // scan cannot change the picture.
    return Outcome::Decoded;
}

void SetError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString Hex(int byte)
{
    return QStringLiteral("0x%1").arg(byte, 2, 16, QLatin1Char('0'));
}

// The decoder's message in language: libjpeg speaks only English.
QString DecoderText(const ErrorManager &error, Language language)
{
    const QString english = QString::fromLatin1(error.message);
    if (language != kRussian)
        return english;
    switch (error.pub.msg_code) {
    case JERR_NO_SOI:
        return QStringLiteral("Это не файл JPEG: он начинается с байтов %1 %2")
            .arg(Hex(error.pub.msg_parm.i[0]), Hex(error.pub.msg_parm.i[1]));
    case JERR_INPUT_EMPTY:
        return QStringLiteral("Файл пуст");
    case JWRN_JPEG_EOF:
        return QStringLiteral("Файл JPEG обрывается раньше конца картинки");
    default:
        return QStringLiteral("Картинка JPEG повреждена или не поддерживается (%1)").arg(english);
    }
}

// Hands the picture to begin(width, height), which returns false when there
// is no memory for it, then its rows top to bottom to take(rgb), 3 bytes a
// pixel.
template <typename Begin, typename Take>
bool DecodeRows(QIODevice &device, QString *error, Language language, const Begin &begin,
                const Take &take)
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
    const std::unique_ptr<jpeg_decompress_struct, void (*)(j_decompress_ptr)> cleanup(&d.cinfo, jpeg_destroy_decompress);

    switch (RunDecoder(d, begin, take)) {
    case Outcome::Decoded:
        return true;
    case Outcome::DecoderError:
        SetError(error, DecoderText(d.error, language));
        return false;
    case Outcome::TooLarge:
        SetError(error, (language == kRussian
                             ? QStringLiteral("Картинка размером %1 x %2 пикселей; картинки шире или выше %3 пикселей не загружаются.")
                             : QStringLiteral("The picture is %1 x %2 pixels; pictures wider or taller than %3 pixels cannot be loaded."))
                            .arg(d.cinfo.image_width)
                            .arg(d.cinfo.image_height)
                            .arg(kMaxJpegDimension));
        return false;
    case Outcome::OverBudget:
        SetError(error, QStringLiteral("The picture is %1 x %2 pixels and stored in several scans (progressive), so it has to be "
                                       "held whole while it is decoded, which takes more than the %3 MiB a picture may use.")
                            .arg(d.cinfo.image_width)
                            .arg(d.cinfo.image_height)
                            .arg(kJpegMemoryBudget >> 20));
        return false;
    case Outcome::NoMemory:
        SetError(error, (language == kRussian
                             ? QStringLiteral("Не хватает памяти для картинки размером %1 x %2 пикселей.")
                             : QStringLiteral("Not enough memory for a picture of %1 x %2 pixels."))
                            .arg(d.cinfo.output_width)
                            .arg(d.cinfo.output_height));
        return false;
    }
    return false;
}

bool OpenForReading(QFile &file, QString *error, Language language)
{
    const QString name = QDir::toNativeSeparators(file.fileName());
    QString reason = RefusedInputReason(file.fileName(), language);
    if (reason.isEmpty()) {
        if (file.open(QIODevice::ReadOnly))
            return true;
        reason = file.errorString();
    }
    SetError(error, NotOpenedText(language, name, reason));
    return false;
}

// Decoding a file: the reason names it.
std::optional<QImage> NamingTheFile(const QFile &file, std::optional<QImage> picture, QString *error)
{
    if (!picture && error)
        *error = QDir::toNativeSeparators(file.fileName()) + QStringLiteral(": ") + *error;
    return picture;
}

}  // namespace

std::optional<QImage> LoadJpegScaled(QIODevice &device, int w, int h, QString *error,
                                     Language language)
{
    std::optional<BoxScaler> scaler;
    const bool decoded = DecodeRows(
        device, error, language,
        [&](int width, int height) {
            scaler.emplace(width, height, w, h);
            return true;
        },
        [&](const JSAMPLE *row) { scaler->addRow(row); });
    if (!decoded)
        return std::nullopt;
    return scaler->result();
}

std::optional<QImage> LoadJpegScaled(const QString &path, int w, int h, QString *error,
                                     Language language)
{
    QFile file(path);
    if (!OpenForReading(file, error, language))
        return std::nullopt;
    return NamingTheFile(file, LoadJpegScaled(file, w, h, error, language), error);
}

std::optional<QImage> DecodeJpeg(QIODevice &device, QString *error, Language language)
{
    QImage picture;
    int y = 0;
    const bool decoded = DecodeRows(
        device, error, language,
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

std::optional<QImage> DecodeJpeg(const QString &path, QString *error, Language language)
{
    QFile file(path);
    if (!OpenForReading(file, error, language))
        return std::nullopt;
    return NamingTheFile(file, DecodeJpeg(file, error, language), error);
}

}  // namespace tintora
