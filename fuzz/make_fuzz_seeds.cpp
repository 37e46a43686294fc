// Writes the seed corpora of the fuzz targets into the folder named on the
// command line (fuzz/corpus): small files, one folder per target. Run it on
// purpose when the readers learn something new, then commit the result.
#include "cli/schemejson.h"
#include "scheme/codepage.h"
#include "scheme/colourscheme.h"
#include "tests/preview/test_jpegwriter.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

using namespace tintora;

QDir Folder(const QString &root, const char *name)
{
    QDir folder(root);
    folder.mkpath(QString::fromLatin1(name));
    folder.cd(QString::fromLatin1(name));
    return folder;
}

void Put(const QDir &folder, const QString &name, const QByteArray &bytes)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QByteArray Bytes(const SchemeImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.data()), qsizetype(image.size()));
}

void SchemeSeeds(const QDir &folder, const QDir &jsonFolder)
{
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    const QByteArray standard = Bytes(EncodeScheme(scheme));
    Put(folder, "default.sch", standard);
    Put(jsonFolder, "default.json", cli::SchemeJson(scheme).toUtf8());

    scheme.name = *ToCp1251(QString::fromUtf8("Зима 14 знаков"));
    scheme.entry(7).transparency = 15;
    Put(folder, "fourteen-letters.sch", Bytes(EncodeScheme(scheme)));
    Put(jsonFolder, "cyrillic.json", cli::SchemeJson(scheme).toUtf8());

    QByteArray odd = standard;
    for (int i : {0, 2, 4, 8, 40, 51, 55, 303})
        odd[i] = char(0xFF);
    Put(folder, "odd-header.sch", odd + QByteArray("tail beyond 304 bytes"));
    Put(folder, "six-bytes.sch", standard.left(6));
    QByteArray lower = standard;
    lower[1] = 's';
    Put(folder, "not-a-scheme.sch", lower);

    Put(jsonFolder, "broken.json",
        R"({"name": "ABC", "entries": [{"element": 1, "colour": "C0C0C0", "transparency": 0},)"
        R"( {"element": 64, "colour": "GG0000", "transparency": 1.5}]})");
}

void SettingsSeeds(const QDir &folder)
{
    const QString full = QString::fromUtf8("[Options]\r\nLanguage=English\r\nProviderName=МТС\r\n"
                                           "ClockFormat=1\r\nDateFormat=0x1\r\nPressedSoftKey=$2\r\n"
                                           "ChoosedDate=65537\r\n\r\n[Phone]\r\nSpColorPath=/a/mobile/system/\r\n");
    Put(folder, "windows-1251.ini", *ToCp1251(full));
    Put(folder, "utf-8.ini", full.toUtf8());
    Put(folder, "bom-no-final-break.ini",
        "\xEF\xBB\xBF[options]\n  providername = \"BEE LINE\"  \n; comment\nclockformat=one\n"
        "[phone]\nSpColorPath=/b/");
    Put(folder, "odd-lines.ini", "=\n[\n[Options\n]\nLanguage\n[Options]\n[Options]\nDateFormat=-3\n"
                                 "ChoosedDate=0XFFFF\n#x=1\n[Phone]]\n");
}

void JpegSeeds(const QDir &folder)
{
    struct Space {
        const char *name;
        J_COLOR_SPACE input, stored;
        bool adobeMarker;
    };
    const Space spaces[] = {{"gray", JCS_GRAYSCALE, JCS_UNKNOWN, true}, {"ycbcr", JCS_RGB, JCS_UNKNOWN, true},
                            {"rgb", JCS_RGB, JCS_RGB, true},           {"cmyk", JCS_CMYK, JCS_UNKNOWN, true},
                            {"cmyk-plain", JCS_CMYK, JCS_UNKNOWN, false}, {"ycck", JCS_CMYK, JCS_YCCK, true}};
    struct Coding {
        const char *name;
        bool progressive, arithmetic;
    };
    const Coding codings[] = {{"baseline", false, false}, {"progressive", true, false},
                              {"arithmetic", false, true}, {"progressive-arithmetic", true, true}};
    // Odd sizes, so the last blocks are partly outside the picture.
    const int width = 19, height = 11;
    for (const Space &space : spaces) {
        for (const Coding &coding : codings) {
            const test::JpegLayout layout{.input = space.input, .stored = space.stored,
                                          .adobeMarker = space.adobeMarker, .quality = 40,
                                          .progressive = coding.progressive, .arithmetic = coding.arithmetic};
            const int components = test::ComponentsOf(space.input);
            const QByteArray file = test::WriteJpeg(width, height, layout, [&](int y, JSAMPLE *row) {
                for (int x = 0; x < width * components; ++x)
                    row[x] = JSAMPLE(x * 13 + y * 29);
            });
            Put(folder, QStringLiteral("%1-%2.jpg").arg(space.name, coding.name), file);
        }
    }
    // Headers of real files over data of nothing but restart markers, in order,
    // skipping one, or far off, for each coding and each sampling.
    const auto &samplings = test::kCraftedSamplings;
    const std::pair<test::Restarts, const char *> orders[] = {{test::Restarts::InOrder, "in-order"},
                                                              {test::Restarts::SkippingOne, "skipping-one"},
                                                              {test::Restarts::FarOff, "far-off"}};
    for (const Coding &coding : codings) {
        for (const auto &sampling : samplings) {
            for (const auto &[order, orderName] : orders) {
                const test::JpegLayout layout{.input = sampling.input, .progressive = coding.progressive,
                                              .arithmetic = coding.arithmetic, .hSample = sampling.h,
                                              .vSample = sampling.v};
                Put(folder, QStringLiteral("restarts-%1-%2-%3.jpg").arg(coding.name, sampling.name, orderName),
                    test::RestartsOnly(layout, 512, 512, 16, order, 100));
            }
        }
        const test::JpegLayout layout{.progressive = coding.progressive, .arithmetic = coding.arithmetic};
        Put(folder, QStringLiteral("restarts-%1-65500-square.jpg").arg(coding.name),
            test::RestartsOnly(layout, 65500, 65500, 65535, test::Restarts::SkippingOne, 60));
    }
}

void ActivationSeeds(const QDir &folder)
{
    QByteArray record(255, '\0');
    Put(folder, "clear.seem", record);
    record[83] = char(0xBF);
    Put(folder, "other-bits.seem", record);
    record[83] = char(0x40);
    Put(folder, "already.seem", record + QByteArray(45, '\x7F'));
    Put(folder, "just-the-switch.seem", record.left(84));
    Put(folder, "too-short.seem", record.left(83));
}

// The id of the command sent (2 bytes), then a reply as the phone sends it.
void UsbReplySeeds(const QDir &folder)
{
    const QByteArray sent("\x01\x23", 2);
    const QByteArray payload("\x00\x00\x01\x30spcolor", 11);
    const auto be16 = [](int value) { return QByteArray(1, char(value >> 8)) + char(value & 0xFF); };
    // Control: message count, 3 bytes, size of the message, then the message:
    // id with bit 15, result, command, payload length, 2 bytes, payload.
    const auto control = [&](int id, int result) {
        return QByteArray("\x01\x00\x00\x00", 4) + be16(8 + int(payload.size())) + be16(id) + char(result) + '\x4A'
               + be16(int(payload.size())) + QByteArray(2, '\0') + payload;
    };
    // Bulk: id with bit 15, result, command, 6 bytes, payload length (32 bits), payload.
    const auto bulk = [&](int id, int result) {
        return be16(id) + char(result) + '\x4A' + QByteArray(6, '\0') + be16(int(payload.size())) + payload;
    };
    Put(folder, "control-ok.bin", sent + control(0x8123, 0x80));
    Put(folder, "control-refused.bin", sent + control(0x8123, 0x90));
    Put(folder, "control-late.bin", sent + control(0x8122, 0x60));
    Put(folder, "bulk-ok.bin", sent + bulk(0x8123, 0x60));
    Put(folder, "bulk-padded.bin", sent + bulk(0x8123, 0x80) + QByteArray(2, '\0'));
    Put(folder, "poll-ready.bin", sent + QByteArray("\x00\x02\x00\x13", 4));
    Put(folder, "poll-empty.bin", sent + QByteArray("\x00\x00", 2));
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds fuzz/corpus\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    SchemeSeeds(Folder(root, "fuzz_scheme"), Folder(root, "fuzz_schemejson"));
    SettingsSeeds(Folder(root, "fuzz_settings"));
    JpegSeeds(Folder(root, "fuzz_jpeg"));
    ActivationSeeds(Folder(root, "fuzz_activation"));
    UsbReplySeeds(Folder(root, "fuzz_usbreply"));
    return 0;
}
