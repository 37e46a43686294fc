#include "scheme/colourscheme.h"

#include <gtest/gtest.h>

#include <set>

using namespace tintora;

namespace {

SchemeImage SignedImage()
{
    SchemeImage image{};
    image[1] = 'S';
    image[3] = 'C';
    image[5] = 'H';
    return image;
}

void PutName(SchemeImage &image, const QByteArray &chars)
{
    for (int k = 0; k < chars.size(); ++k)
        image[9 + 2 * k] = std::uint8_t(chars[k]);
}

ColourScheme VariedScheme(const QByteArray &name)
{
    ColourScheme scheme;
    for (int element = 1; element <= kElementCount; ++element) {
        scheme.entry(element).colour = Colour(element * 0x030507) & 0xFFFFFF;
        scheme.entry(element).transparency = std::uint8_t(element % 16);
    }
    scheme.name = name;
    return scheme;
}

}  // namespace

TEST(EntryOffsets, CoverTheEntryAreaOnceEach)
{
    std::set<int> offsets;
    for (int element = 1; element <= kElementCount; ++element) {
        const int offset = EntryOffsetTable[element];
        EXPECT_EQ(offset % 4, 0) << "element " << element;
        EXPECT_GE(offset, 52);
        EXPECT_LE(offset, 300);
        offsets.insert(offset);
    }
    EXPECT_EQ(offsets.size(), std::size_t(kElementCount));
}

TEST(DecodeEntry, ColourBytesAreRedGreenBlue)
{
    SchemeImage image{};
    image[100] = 0x11;
    image[101] = 0x22;
    image[102] = 0x33;
    image[103] = 0x05;
    const SchemeEntry entry = DecodeEntry(image, 100);
    EXPECT_EQ(entry.colour, 0x00332211u);
    EXPECT_EQ(entry.transparency, 5);
}

TEST(DecodeEntry, TransparencyAboveFifteenReadsAsFifteen)
{
    const std::pair<std::uint8_t, int> cases[] = {{0x0E, 14}, {0x0F, 15}, {0x10, 15}, {0xFF, 15}, {0x00, 0}};
    for (auto [stored, expected] : cases) {
        SchemeImage image{};
        image[303] = stored;
        EXPECT_EQ(DecodeEntry(image, 300).transparency, expected) << "byte " << int(stored);
    }
}

TEST(PackEntry, DropsColourBitsAboveBlue)
{
    const auto bytes = PackEntry({0xAB332211u, 9});
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 4>{0x11, 0x22, 0x33, 9}));
}

TEST(IsSchemeImage, LooksOnlyAtBytesOneThreeAndFive)
{
    SchemeImage image{};
    image.fill(0xFF);
    image[1] = 0x53;
    image[3] = 0x43;
    image[5] = 0x48;
    EXPECT_TRUE(IsSchemeImage(image));

    for (int at : {1, 3, 5}) {
        SchemeImage broken = image;
        broken[at] = std::uint8_t(broken[at] | 0x20);  // lower case
        EXPECT_FALSE(IsSchemeImage(broken)) << "byte " << at;
    }
    EXPECT_FALSE(IsSchemeImage(SchemeImage{}));
}

TEST(DecodeScheme, NameUsesOnlyLowBytesOfUnits)
{
    SchemeImage image = SignedImage();
    image[8] = 0x04;
    image[9] = 0x41;
    image[10] = 0x04;
    image[11] = 0xC0;
    ColourScheme scheme;
    DecodeScheme(scheme, image);
    EXPECT_EQ(scheme.name, QByteArray("A\xC0"));
}

TEST(DecodeScheme, NameStopsAtFirstZeroCharacter)
{
    SchemeImage image = SignedImage();
    PutName(image, "ABCDEFGHIJKLMN");
    image[13] = 0;  // third character
    ColourScheme scheme;
    scheme.name = "old";
    DecodeScheme(scheme, image);
    EXPECT_EQ(scheme.name, QByteArray("AB"));
}

TEST(DecodeScheme, FourteenCharactersWithoutTerminator)
{
    SchemeImage image = SignedImage();
    PutName(image, "ABCDEFGHIJKLMN");
    image[36] = 'X';  // past the name area
    ColourScheme scheme;
    DecodeScheme(scheme, image);
    EXPECT_EQ(scheme.name, QByteArray("ABCDEFGHIJKLMN"));
}

TEST(DecodeScheme, EntriesComeFromTheirOffsets)
{
    SchemeImage image = SignedImage();
    image[88] = 0x44;  // element 4
    image[91] = 0x09;
    image[84] = 0x55;  // element 5
    ColourScheme scheme;
    DecodeScheme(scheme, image);
    EXPECT_EQ(scheme.entry(4), (SchemeEntry{0x44, 9}));
    EXPECT_EQ(scheme.entry(5), (SchemeEntry{0x55, 0}));
}

TEST(EncodeScheme, EmptyNameBecomesStyleInImageAndScheme)
{
    ColourScheme scheme;
    const SchemeImage image = EncodeScheme(scheme);
    EXPECT_EQ(scheme.name, QByteArray("STYLE"));

    const std::uint8_t header[] = {0x00, 0x53, 0x00, 0x43, 0x00, 0x48, 0x00, 0x00, 0x00, 0x53,
                                   0x00, 0x54, 0x00, 0x59, 0x00, 0x4C, 0x00, 0x45};
    for (std::size_t i = 0; i < sizeof header; ++i)
        EXPECT_EQ(image[i], header[i]) << "byte " << i;
    for (int i = 18; i <= 50; ++i)
        EXPECT_EQ(image[i], 0) << "byte " << i;
    EXPECT_EQ(image[51], 0x3F);
}

TEST(EncodeScheme, FixedBytesWhateverTheScheme)
{
    ColourScheme scheme = VariedScheme("ABCDEFGHIJKLMN");
    const SchemeImage image = EncodeScheme(scheme);
    EXPECT_EQ(scheme.name, QByteArray("ABCDEFGHIJKLMN"));
    for (int i = 8; i <= 34; i += 2)
        EXPECT_EQ(image[i], 0) << "high byte " << i;
    for (int i = 36; i <= 50; ++i)
        EXPECT_EQ(image[i], 0) << "byte " << i;
    EXPECT_EQ(image[51], 0x3F);
    EXPECT_EQ(image.size(), std::size_t(304));
}

TEST(EncodeScheme, ColourHighBitsAreNotWritten)
{
    ColourScheme scheme;
    scheme.entry(1).colour = 0xFF123456u;
    const SchemeImage image = EncodeScheme(scheme);
    EXPECT_EQ(image[52], 0x56);
    EXPECT_EQ(image[55], 0x00);
    ColourScheme back;
    DecodeScheme(back, image);
    EXPECT_EQ(back.entry(1).colour, 0x00123456u);
}

TEST(EncodeScheme, RoundTripKeepsEntriesAndName)
{
    for (const QByteArray &name : {QByteArray("A"), QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2"),
                                   QByteArray("ABCDEFGHIJKLMN")}) {
        ColourScheme original = VariedScheme(name);
        const SchemeImage image = EncodeScheme(original);
        ASSERT_TRUE(IsSchemeImage(image));
        ColourScheme decoded;
        DecodeScheme(decoded, image);
        EXPECT_EQ(decoded.entries, original.entries);
        EXPECT_EQ(decoded.name, name);
    }
}

TEST(DefaultScheme, KnownValues)
{
    ColourScheme scheme;
    scheme.name = "keep";
    BuildDefaultScheme(scheme);
    EXPECT_EQ(scheme.name, QByteArray("keep"));
    EXPECT_EQ(scheme.entry(45).transparency, 15);
    for (int element : {7, 8, 10, 11, 13})
        EXPECT_EQ(scheme.entry(element).transparency, 8) << "element " << element;
    EXPECT_EQ(scheme.entry(36).transparency, 7);
    EXPECT_EQ(scheme.entry(38).colour, Colour(0x67 | 0x77 << 8 | 0x86 << 16));  // hexadecimal bytes
    EXPECT_EQ(scheme.entry(22).colour, 0x004080FFu);
    EXPECT_EQ(scheme.entry(1).colour, 0x00C0C0C0u);
    EXPECT_EQ(scheme.entry(42).colour, 0x00FF0000u);
}
