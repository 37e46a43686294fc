#include "previewfont.h"

#include "previewresources.h"

#include "scheme/wholefilewrite.h"

#include <QFile>
#include <QFontDatabase>

namespace tintora {
namespace {

const char *const kFontResource = ":/1stSortie.ttf";
int installedId = -1;
int generation = 0;

QByteArray FontBytes()
{
    EnsurePreviewResources();
    QFile resource(kFontResource);
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return resource.readAll();
}

}  // namespace

bool InstallPreviewFont(const QString &unpackPath)
{
    RemovePreviewFont();
    const QByteArray bytes = FontBytes();
    if (bytes.isEmpty())
        return false;
    // A read-only folder or a file held by another copy of the program must not cost the
    // preview its face.
    if (WriteWholeFile(unpackPath, bytes) == WriteOutcome::Written)
        installedId = QFontDatabase::addApplicationFont(unpackPath);
    if (installedId < 0)
        installedId = QFontDatabase::addApplicationFontFromData(bytes);
    ++generation;
    return installedId >= 0;
}

bool InstallPreviewFontFromMemory()
{
    if (installedId >= 0)
        return true;
    const QByteArray bytes = FontBytes();
    if (!bytes.isEmpty())
        installedId = QFontDatabase::addApplicationFontFromData(bytes);
    ++generation;
    return installedId >= 0;
}

void RemovePreviewFont()
{
    if (installedId < 0)
        return;
    QFontDatabase::removeApplicationFont(installedId);
    installedId = -1;
    ++generation;
}

int PreviewFontGeneration()
{
    return generation;
}

QFont PreviewFont(int pixelSize)
{
    QFont font(QStringLiteral("1st Sortie"));
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setKerning(false);
    return font;
}

}  // namespace tintora
