#pragma once

#include "colourscheme.h"

#include <QString>

#include <array>

namespace tintora {

constexpr int kScreenCount = 9;

// The element and screen names are English, the source texts of the interface's
// translations in this context.
inline constexpr char kCatalogueContext[] = "tintora::Catalogue";

struct ScreenGroup {
    const char *caption;
    int firstElement;
    int count;
};

extern const std::array<ScreenGroup, kScreenCount> ScreenGroupTable;
extern const std::array<int, 14> LinkedPairTable;

// Indexed by element number 1..63 and screen 0..8; nullptr, and an empty name, for any
// other number.
const char *ElementNameSource(int element);
const char *ScreenCaptionSource(int screen);
QString EnglishElementName(int element);
QString EnglishScreenCaption(int screen);
// The screen whose element list holds element 1..63; -1 for any other number.
int ScreenOfElement(int element);
bool IsLinkedElement(int element);

void SyncLinkedTransparency(ColourScheme &scheme, int element);

}  // namespace tintora
