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
      pictures_{KeyedPicture(pictures.UPSTRING, kPureRed), KeyedPicture(pictures.ICONS, kPureRed),
                KeyedByCorner(pictures.VIDEO),    KeyedByCorner(pictures.SOUND),
                KeyedByCorner(pictures.CAMERA),   KeyedByCorner(pictures.PICTURES),
                KeyedByCorner(pictures.WARNING),  KeyedByCorner(pictures.BUTTONS),
                KeyedByCorner(pictures.PLAY),     KeyedByCorner(pictures.ARROW),
                KeyedByCorner(pictures.ITAP)},
      Image1(NewCanvas(128, 128)),
      VirtualImage128(NewCanvas(128, 20)),
      VirtualImage55(NewCanvas(55, 20)),
      VirtualImage18(NewCanvas(18, 20)),
      VirtualFull128(NewCanvas(128, 128)),
      VirtualImage15(NewCanvas(128, 15)),
      VirtualnoBottom128(NewCanvas(128, 108)),
      BackgroundPicture(NewCanvas(128, 128)),
      PreviewSnapshot(NewCanvas(128, 128))
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
    BackgroundPicture = scaled128.convertToFormat(QImage::Format_RGB888);
    PlainBackground = false;
}

void Preview::clearBackgroundPicture()
{
    PlainBackground = true;
}

}  // namespace tintora
