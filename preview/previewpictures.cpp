#include "previewpictures.h"

#include "previewresources.h"

namespace tintora {
namespace {

QImage LoadPicture(const char *name)
{
    QImage picture(QStringLiteral(":/%1.bmp").arg(QLatin1String(name)));
    if (picture.isNull())
        return picture;
    return picture.convertToFormat(QImage::Format_RGB888);
}

}  // namespace

PreviewPictures LoadPreviewPictures()
{
    EnsurePreviewResources();
    PreviewPictures p;
    p.UPSTRING = LoadPicture("UPSTRING");
    p.ICONS = LoadPicture("ICONS");
    p.VIDEO = LoadPicture("VIDEO");
    p.SOUND = LoadPicture("SOUND");
    p.CAMERA = LoadPicture("CAMERA");
    p.PICTURES = LoadPicture("PICTURES");
    p.WARNING = LoadPicture("WARNING");
    p.BUTTONS = LoadPicture("BUTTONS");
    p.PLAY = LoadPicture("PLAY");
    p.ARROW = LoadPicture("ARROW");
    p.ITAP = LoadPicture("ITAP");
    p.COMPUTER = LoadPicture("COMPUTER");
    p.PHONE = LoadPicture("PHONE");
    return p;
}

}  // namespace tintora
