// The constant tables against data transcribed by hand from the format's own tables (the
// .tsv files beside this one), so a wrong default colour, two swapped entry offsets or a
// wrong linked pair cannot pass by being checked against themselves.
#include "tablerows.h"

#include "scheme/catalogue.h"

#include <gtest/gtest.h>

#include <map>

using namespace tintora;

namespace {

struct ElementRow {
    int screen;
    int offset;
    SchemeEntry defaults;
    QString english;
};

std::map<int, ElementRow> ElementRows()
{
    std::map<int, ElementRow> elements;
    for (const QStringList &row : ReadRows("elements.tsv", 9)) {
        const auto hex = [&](int column) { return Colour(row[column].toUInt(nullptr, 16)); };
        const Colour colour = hex(3) | hex(4) << 8 | hex(5) << 16;
        elements[row[0].toInt()] = {row[1].toInt(), row[2].toInt(),
                                    {colour, std::uint8_t(row[6].toInt())}, row[7]};
    }
    return elements;
}

std::map<int, int> PartnerOf()
{
    std::map<int, int> partner;
    for (const QStringList &row : ReadRows("linkedpairs.tsv", 3)) {
        partner[row[0].toInt()] = row[1].toInt();
        partner[row[1].toInt()] = row[0].toInt();
    }
    return partner;
}

TEST(Tables, EveryElementHasItsOffsetDefaultNamesAndScreen)
{
    const std::map<int, ElementRow> elements = ElementRows();
    ASSERT_EQ(elements.size(), std::size_t(kElementCount));
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    for (const auto &[element, row] : elements) {
        SCOPED_TRACE(::testing::Message() << "element " << element);
        EXPECT_EQ(EntryOffsetTable[element], row.offset);
        EXPECT_EQ(scheme.entry(element), row.defaults);
        const auto packed = PackEntry(row.defaults);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(DefaultSchemeBody[row.offset - 52 + i], packed[i]) << "byte " << i;
        EXPECT_EQ(EnglishElementName(element), row.english);
        const ScreenGroup &group = ScreenGroupTable[row.screen];
        EXPECT_GE(element, group.firstElement);
        EXPECT_LT(element, group.firstElement + group.count);
    }
}

TEST(Tables, ScreenGroupsAndCaptions)
{
    const std::vector<QStringList> rows = ReadRows("screens.tsv", 5);
    ASSERT_EQ(rows.size(), std::size_t(kScreenCount));
    for (const QStringList &row : rows) {
        const int screen = row[0].toInt();
        SCOPED_TRACE(::testing::Message() << "screen " << screen);
        EXPECT_EQ(ScreenGroupTable[screen].firstElement, row[1].toInt());
        EXPECT_EQ(ScreenGroupTable[screen].count, row[2].toInt());
        EXPECT_EQ(EnglishScreenCaption(screen), row[3]);
    }
}

TEST(Tables, LinkedPairsInTheirStoredOrder)
{
    std::vector<int> stored;
    for (const QStringList &row : ReadRows("linkedpairs.tsv", 3))
        stored.insert(stored.end(), {row[0].toInt(), row[1].toInt()});
    EXPECT_EQ(std::vector<int>(LinkedPairTable.begin(), LinkedPairTable.end()), stored);
}

// Each element's transparency edit reaches its partner and nothing else.
TEST(Tables, EveryElementSyncsOnlyItsPartner)
{
    const std::map<int, int> partner = PartnerOf();
    ASSERT_EQ(partner.size(), LinkedPairTable.size());
    for (int element = 1; element <= kElementCount; ++element) {
        const bool linked = partner.contains(element);
        EXPECT_EQ(IsLinkedElement(element), linked) << "element " << element;
        ColourScheme scheme;
        BuildDefaultScheme(scheme);
        for (SchemeEntry &entry : scheme.entries)
            entry.transparency = 1;
        scheme.entry(element).transparency = 9;
        ColourScheme expected = scheme;
        if (linked)
            expected.entry(partner.at(element)).transparency = 9;
        SyncLinkedTransparency(scheme, element);
        EXPECT_EQ(scheme.entries, expected.entries) << "element " << element;
    }
}

}  // namespace
