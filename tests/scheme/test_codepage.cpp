#include "scheme/codepage.h"

#include <gtest/gtest.h>

using namespace tintora;

TEST(CodePage, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    const QString text = FromCp1251(all);
    ASSERT_EQ(text.size(), all.size());
    EXPECT_EQ(ToCp1251(text), all);
}

TEST(CodePage, KnownCharacters)
{
    EXPECT_EQ(FromCp1251("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
    EXPECT_EQ(FromCp1251("\xA8\xB8\xB9\x88\x96"), "Ёё№€–");
    EXPECT_EQ(ToCp1251("Ёжик 1"), QByteArray("\xA8\xE6\xE8\xEA 1"));
    EXPECT_EQ(FromCp1251("\xC0\xFF"), "Ая");
}

TEST(CodePage, CharactersWithoutAByteAreRefused)
{
    EXPECT_FALSE(ToCp1251("caf\u00E9").has_value());  // é is not in 1251
    EXPECT_FALSE(ToCp1251("\u4E2D").has_value());
    EXPECT_FALSE(ToCp1251(QString::fromUtf8("\xF0\x9F\x98\x80")).has_value());  // outside the BMP
    EXPECT_FALSE(IsCp1251Char(QChar(0x00E9)));
    EXPECT_TRUE(IsCp1251Char(QChar(0x0416)));
    EXPECT_TRUE(IsCp1251Char(QChar('A')));
}
