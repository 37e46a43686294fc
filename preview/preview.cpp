#include "preview.h"

namespace tintora {
namespace {

constexpr Colour kPureRed = 0x0000FF;

KeyedPicture KeyedByCorner(const QImage &picture)
{
    return KeyedPicture(picture, BottomLeftKey(picture));
}

}  // namespace

Preview::Preview(const ColourScheme &scheme, PreviewSettings &settings, const Clock &clock,
                 const PreviewPictures &pictures)
    : scheme_(scheme),
      settings_(settings),
      clock_(clock),
      // The status strip and the icons are see-through where pure red; the others where
      // they have the colour of their bottom-left pixel.
      pictures_{KeyedPicture(pictures.statusStrip, kPureRed), KeyedPicture(pictures.iconGrid, kPureRed),
                KeyedByCorner(pictures.videoIcon),    KeyedByCorner(pictures.soundIcon),
                KeyedByCorner(pictures.cameraIcon),   KeyedByCorner(pictures.picturesIcon),
                KeyedByCorner(pictures.globeSign),  KeyedByCorner(pictures.datebookTabs),
                KeyedByCorner(pictures.playerControl),     KeyedByCorner(pictures.rightArrow),
                KeyedByCorner(pictures.inputModeSign)},
      canvas_(NewCanvas(128, 128)),
      barLayer_(NewCanvas(128, 20)),
      sideKeyLayer_(NewCanvas(55, 20)),
      menuKeyLayer_(NewCanvas(18, 20)),
      iconLayer_(NewCanvas(128, 128)),
      titleLayer_(NewCanvas(128, 15)),
      dimmingLayer_(NewCanvas(128, 108)),
      background_(NewCanvas(128, 128)),
      snapshot_(NewCanvas(128, 128))
{
}

void Preview::RepaintPreview(int screen)
{
    switch (screen) {
    case 0: PaintMainScreen(); break;
    case 1: PaintMainMenu(); break;
    case 2: PaintSelectMenuItem(); break;
    case 3: PaintNoticeWindow(); break;
    case 4: PaintSelectSubmenuItem(); break;
    case 5: PaintDatebook(); break;
    case 6: PaintMessageEntry(); break;
    case 7: PaintMultimedia(); break;
    case 8: PaintOthers(); break;
    default: break;
    }
    PaintFinalFrame();
}

void Preview::setBackgroundPicture(const QImage &scaled128)
{
    background_ = scaled128.convertToFormat(QImage::Format_RGB888);
    plainBackground_ = false;
}

void Preview::clearBackgroundPicture()
{
    plainBackground_ = true;
}

}  // namespace tintora
