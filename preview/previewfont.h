#pragma once

#include <QFont>
#include <QString>

namespace tintora {

// Writes the built-in font to unpackPath and registers that file; when the file cannot be
// written or registered the font is registered from memory instead. True when the face is
// available either way.
bool InstallPreviewFont(const QString &unpackPath);
// For programs without a font file of their own (the command line, the tests).
bool InstallPreviewFontFromMemory();
void RemovePreviewFont();
// Changes whenever the face is registered or removed: text drawn before may have come from
// another face.
int PreviewFontGeneration();

// "1st Sortie" at 13 pixels (10 points at 96 dpi) or 16 pixels (12 points), not antialiased.
QFont PreviewFont(int pixelSize);

constexpr int kTextPixels = 13;
constexpr int kWeekdayLetterPixels = 16;

}  // namespace tintora
