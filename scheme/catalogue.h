#pragma once

#include "colourscheme.h"

#include <QString>

#include <array>

namespace tintora {

constexpr int kScreenCount = 9;

struct ScreenGroup {
    const char *russianCaption;  // UTF-8
    const char *englishCaption;
    int firstElement;
    int count;
};

extern const std::array<ScreenGroup, kScreenCount> ScreenGroupTable;
extern const std::array<int, 14> LinkedPairTable;

// UTF-8 texts, indexed by element number 1..63.
QString EnglishElementName(int element);
QString RussianElementName(int element);
// Russian for 0, English otherwise.
QString ScreenCaption(int screen, Language language);
// The screen whose element list holds element 1..63; -1 for any other number.
int ScreenOfElement(int element);
bool IsLinkedElement(int element);

void SyncLinkedTransparency(ColourScheme &scheme, int element);

}  // namespace tintora
