#pragma once

// Writes GIF files, which Qt reads but cannot write, for the tests of wallpapers in that
// format: the picture's first 256 colours, every pixel its own LZW code, so no table of
// strings is needed.

#include <QByteArray>
#include <QImage>
#include <QList>

namespace tintora::test {

inline QByteArray WriteGif(const QImage &source)
{
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> palette;
    QByteArray out("GIF89a");
    const auto word = [&out](int value) {
        out.append(char(value & 0xFF));
        out.append(char(value >> 8));
    };
    word(picture.width());
    word(picture.height());
    out.append(char(0xF7));  // a table of 256 colours follows
    out.append(char(0));
    out.append(char(0));
    QList<int> indices;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = picture.pixel(x, y);
            qsizetype index = palette.indexOf(colour);
            if (index < 0) {
                index = palette.size();
                palette.append(colour);
            }
            indices.append(int(index));
        }
    }
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = palette.value(i);
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    out.append(char(0x2C));
    word(0);
    word(0);
    word(picture.width());
    word(picture.height());
    out.append(char(0));
    out.append(char(8));  // the smallest code size: 8 bits, codes of 9

    // A clear code before the table could grow to codes of 10 bits.
    constexpr int kClear = 256, kEnd = 257, kLiteralsPerClear = 250;
    QByteArray data;
    unsigned bits = 0;
    int count = 0;
    const auto code = [&](int value) {
        bits |= unsigned(value) << count;
        count += 9;
        while (count >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    for (qsizetype i = 0; i < indices.size(); ++i) {
        if (i % kLiteralsPerClear == 0)
            code(kClear);
        code(indices[i]);
    }
    code(kEnd);
    if (count > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(char(0x3B));
    return out;
}

}  // namespace tintora::test
