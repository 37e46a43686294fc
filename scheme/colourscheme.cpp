#include "colourscheme.h"

#include <algorithm>

namespace tintora {

namespace {

constexpr int kFirstEntryOffset = 52;

}  // namespace

const std::array<int, kElementCount + 1> EntryOffsetTable = {
    0,
    52,  60,  64,  88,  84,  116, 120, 124, 92,  128,  // 1..10
    132, 96,  56,  136, 140, 100, 220, 164, 228, 232,  // 11..20
    108, 112, 244, 264, 248, 236, 240, 144, 148, 104,  // 21..30
    224, 172, 176, 196, 160, 200, 76,  188, 192, 180,  // 31..40
    156, 204, 168, 68,  284, 152, 252, 256, 260, 288,  // 41..50
    296, 72,  80,  184, 208, 212, 216, 268, 272, 276,  // 51..60
    280, 292, 300,                                     // 61..63
};

// Red, green, blue, transparency per entry, in file order.
const std::array<std::uint8_t, kSchemeImageSize - 52> DefaultSchemeBody = {
    0xC0, 0xC0, 0xC0, 0x00,  // 52: element 1
    0xFF, 0xFF, 0xFF, 0x08,  // 56: element 13
    0x00, 0x00, 0x00, 0x00,  // 60: element 2
    0xFF, 0xFF, 0xFF, 0x00,  // 64: element 3
    0xFF, 0x80, 0x00, 0x00,  // 68: element 44
    0x00, 0x00, 0x00, 0x00,  // 72: element 52
    0xFF, 0xFF, 0xFF, 0x00,  // 76: element 37
    0x00, 0x00, 0x00, 0x00,  // 80: element 53
    0xFF, 0xFF, 0xFF, 0x00,  // 84: element 5
    0xFF, 0xFF, 0xFF, 0x00,  // 88: element 4
    0x00, 0x00, 0x00, 0x00,  // 92: element 9
    0xFF, 0xFF, 0xFF, 0x00,  // 96: element 12
    0xFF, 0x00, 0x00, 0x00,  // 100: element 16
    0xFF, 0x00, 0x00, 0x00,  // 104: element 30
    0x00, 0x00, 0x00, 0x00,  // 108: element 21
    0xFF, 0x80, 0x40, 0x00,  // 112: element 22
    0xC0, 0xC0, 0xC0, 0x00,  // 116: element 6
    0x80, 0x80, 0x80, 0x08,  // 120: element 7
    0xFF, 0xFF, 0xFF, 0x08,  // 124: element 8
    0xFF, 0xFF, 0xFF, 0x08,  // 128: element 10
    0x80, 0x80, 0x80, 0x08,  // 132: element 11
    0xFF, 0xFF, 0xFF, 0x00,  // 136: element 14
    0xC0, 0xC0, 0xC0, 0x00,  // 140: element 15
    0xC0, 0xC0, 0xC0, 0x00,  // 144: element 28
    0xFF, 0x80, 0x40, 0x00,  // 148: element 29
    0x00, 0x00, 0x00, 0x00,  // 152: element 46
    0xFB, 0xFE, 0xDA, 0x00,  // 156: element 41
    0xFF, 0xFF, 0xFF, 0x03,  // 160: element 35
    0xFF, 0xFF, 0xFF, 0x00,  // 164: element 18
    0x80, 0x80, 0x80, 0x00,  // 168: element 43
    0xFF, 0x00, 0x00, 0x00,  // 172: element 32
    0x00, 0x00, 0x00, 0x00,  // 176: element 33
    0xFF, 0x00, 0x00, 0x00,  // 180: element 40
    0x00, 0x00, 0x00, 0x00,  // 184: element 54
    0x67, 0x77, 0x86, 0x03,  // 188: element 38
    0x67, 0x77, 0x86, 0x03,  // 192: element 39
    0xFF, 0x80, 0x00, 0x03,  // 196: element 34
    0xFF, 0x00, 0x00, 0x07,  // 200: element 36
    0x00, 0x00, 0xFF, 0x00,  // 204: element 42
    0xFF, 0x00, 0x00, 0x00,  // 208: element 55
    0xFF, 0x80, 0x80, 0x00,  // 212: element 56
    0x00, 0x00, 0x00, 0x00,  // 216: element 57
    0x00, 0x00, 0x00, 0x00,  // 220: element 17
    0xFF, 0x00, 0x00, 0x00,  // 224: element 31
    0xFF, 0x00, 0x00, 0x00,  // 228: element 19
    0xFF, 0xFF, 0xFF, 0x00,  // 232: element 20
    0x00, 0x00, 0x00, 0x00,  // 236: element 26
    0x00, 0x00, 0x00, 0x00,  // 240: element 27
    0xFF, 0x80, 0x00, 0x00,  // 244: element 23
    0xC0, 0xC0, 0xC0, 0x00,  // 248: element 25
    0xFF, 0xFF, 0xFF, 0x00,  // 252: element 47
    0xFF, 0xFF, 0xFF, 0x00,  // 256: element 48
    0xFF, 0x80, 0x00, 0x00,  // 260: element 49
    0xFF, 0xFF, 0xFF, 0x00,  // 264: element 24
    0x00, 0x00, 0x00, 0x00,  // 268: element 58
    0x00, 0x00, 0x00, 0x00,  // 272: element 59
    0x00, 0x00, 0x00, 0x00,  // 276: element 60
    0x00, 0x00, 0x00, 0x03,  // 280: element 61
    0xC0, 0xC0, 0xC0, 0x0F,  // 284: element 45
    0xFF, 0xFF, 0xFF, 0x00,  // 288: element 50
    0x00, 0x00, 0x00, 0x00,  // 292: element 62
    0x00, 0x00, 0x00, 0x00,  // 296: element 51
    0x80, 0x80, 0x80, 0x00,  // 300: element 63
};

SchemeEntry DecodeEntry(const SchemeImage &image, int offset)
{
    SchemeEntry entry;
    entry.colour = Colour(image[offset]) | Colour(image[offset + 1]) << 8
                   | Colour(image[offset + 2]) << 16;
    entry.transparency = std::min<std::uint8_t>(image[offset + 3], 15);
    return entry;
}

std::array<std::uint8_t, 4> PackEntry(const SchemeEntry &entry)
{
    return {std::uint8_t(entry.colour), std::uint8_t(entry.colour >> 8),
            std::uint8_t(entry.colour >> 16), entry.transparency};
}

bool IsSchemeImage(const SchemeImage &image)
{
    return image[1] == 0x53 && image[3] == 0x43 && image[5] == 0x48;
}

void DecodeScheme(ColourScheme &scheme, const SchemeImage &image)
{
    // Entries, in element order.
    for (int element = 1; element <= kElementCount; ++element)
        scheme.entry(element) = DecodeEntry(image, EntryOffsetTable[element]);

    // Name: the low byte of each unit, up to the first zero.
    QByteArray name;
    for (int k = 0; k < kMaxNameLength; ++k) {
        const std::uint8_t c = image[9 + 2 * k];
        if (c == 0)
            break;
        name.append(char(c));
    }
    scheme.name = name;
}

SchemeImage EncodeScheme(ColourScheme &scheme)
{
    // The phone needs a name, so an unnamed scheme is named for good.
    if (scheme.name.isEmpty())
        scheme.name = "STYLE";

    // Bytes 0..50 start as zero (the whole image does).
    SchemeImage image{};

    // Signature.
    image[1] = 0x53;
    image[3] = 0x43;
    image[5] = 0x48;

    // Name, one character per unit, high bytes zero.
    const int length = std::min<int>(scheme.name.size(), kMaxNameLength);
    for (int k = 0; k < length; ++k)
        image[9 + 2 * k] = std::uint8_t(scheme.name[k]);

    // Entry count.
    image[51] = kElementCount;

    // Entries at their offsets.
    for (int element = 1; element <= kElementCount; ++element) {
        const std::array<std::uint8_t, 4> bytes = PackEntry(scheme.entry(element));
        std::copy(bytes.begin(), bytes.end(), image.begin() + EntryOffsetTable[element]);
    }
    return image;
}

void BuildDefaultScheme(ColourScheme &scheme)
{
    SchemeImage image{};
    std::copy(DefaultSchemeBody.begin(), DefaultSchemeBody.end(),
              image.begin() + kFirstEntryOffset);
    for (int element = 1; element <= kElementCount; ++element)
        scheme.entry(element) = DecodeEntry(image, EntryOffsetTable[element]);
}

}  // namespace tintora
