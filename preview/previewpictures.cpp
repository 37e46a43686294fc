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
    p.statusStrip = LoadPicture("UPSTRING");
    p.iconGrid = LoadPicture("ICONS");
    p.videoIcon = LoadPicture("VIDEO");
    p.soundIcon = LoadPicture("SOUND");
    p.cameraIcon = LoadPicture("CAMERA");
    p.picturesIcon = LoadPicture("PICTURES");
    p.globeSign = LoadPicture("WARNING");
    p.datebookTabs = LoadPicture("BUTTONS");
    p.playerControl = LoadPicture("PLAY");
    p.rightArrow = LoadPicture("ARROW");
    p.inputModeSign = LoadPicture("ITAP");
    p.computerModeIcon = LoadPicture("COMPUTER");
    p.phoneModeIcon = LoadPicture("PHONE");
    return p;
}

}  // namespace tintora
