#include "scheme/catalogue.h"

#include <gtest/gtest.h>

using namespace tintora;

TEST(ElementNames, FiftyOneIsTheBrandedLinksWhenHighlighted)
{
    EXPECT_EQ(EnglishElementName(51),
              "Links in sound/pictures menu when highlighted (certain branded flexes only)");
}

TEST(ElementNames, UnknownNumbersSkipFourAndFive)
{
    const std::pair<int, const char *> unknowns[] = {
        {52, "Unknown 1"}, {53, "Unknown 2"}, {54, "Unknown 3"}, {57, "Unknown 6"}, {62, "Unknown 11"}};
    for (auto [element, name] : unknowns)
        EXPECT_EQ(EnglishElementName(element), name);
}

TEST(ElementNames, EveryElementHasANameAndOutOfRangeHasNone)
{
    for (int element = 1; element <= kElementCount; ++element)
        EXPECT_FALSE(EnglishElementName(element).isEmpty()) << element;
    EXPECT_TRUE(EnglishElementName(0).isEmpty());
    EXPECT_EQ(ElementNameSource(64), nullptr);
}

TEST(ScreenGroups, RunsCoverAllElementsWithoutGap)
{
    int next = 1;
    for (const ScreenGroup &group : ScreenGroupTable) {
        EXPECT_EQ(group.firstElement, next);
        EXPECT_GT(group.count, 0);
        next += group.count;
    }
    EXPECT_EQ(next, kElementCount + 1);
    EXPECT_EQ(ScreenGroupTable[7].firstElement, 43);
    EXPECT_EQ(ScreenGroupTable[7].count, 9);
}

TEST(ScreenGroups, NoCaptionPastTheList)
{
    EXPECT_TRUE(EnglishScreenCaption(9).isEmpty());
    EXPECT_EQ(ScreenCaptionSource(-1), nullptr);
}

TEST(LinkedPairs, PartnersAreNeighbours)
{
    for (std::size_t i = 0; i < LinkedPairTable.size(); i += 2)
        EXPECT_EQ(LinkedPairTable[i + 1], LinkedPairTable[i] + 1);
    EXPECT_TRUE(IsLinkedElement(48));
    EXPECT_TRUE(IsLinkedElement(49));
    EXPECT_FALSE(IsLinkedElement(9));
    EXPECT_FALSE(IsLinkedElement(12));  // between pairs 10-11 and 14-15
}

TEST(SyncLinkedTransparency, CopiesToThePartnerInBothDirections)
{
    ColourScheme scheme;
    scheme.entry(7) = {0x111111, 0};
    scheme.entry(8) = {0x222222, 0};

    scheme.entry(8).transparency = 5;
    SyncLinkedTransparency(scheme, 8);
    EXPECT_EQ(scheme.entry(7), (SchemeEntry{0x111111, 5}));

    scheme.entry(7).transparency = 12;
    SyncLinkedTransparency(scheme, 7);
    EXPECT_EQ(scheme.entry(8), (SchemeEntry{0x222222, 12}));
}

TEST(SyncLinkedTransparency, TouchesNothingBeyondThePair)
{
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    scheme.entry(9).transparency = 4;
    ColourScheme expected = scheme;
    SyncLinkedTransparency(scheme, 9);
    EXPECT_EQ(scheme.entries, expected.entries);

    scheme.entry(11).transparency = 2;  // second of pair 10-11, first of nothing
    expected = scheme;
    expected.entry(10).transparency = 2;
    SyncLinkedTransparency(scheme, 11);
    EXPECT_EQ(scheme.entries, expected.entries);
}

TEST(SyncLinkedTransparency, LoadingDoesNotAlignPairs)
{
    ColourScheme source;
    source.entry(14).transparency = 3;
    source.entry(15).transparency = 9;
    ColourScheme loaded;
    DecodeScheme(loaded, EncodeScheme(source));
    EXPECT_EQ(loaded.entry(14).transparency, 3);
    EXPECT_EQ(loaded.entry(15).transparency, 9);
}
