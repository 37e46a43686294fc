#pragma once

#include <QImage>

namespace tintora {

// The thirteen pictures of the program's resources, 24-bit (QImage::Format_RGB888).
struct PreviewPictures {
    QImage UPSTRING, ICONS, VIDEO, SOUND, CAMERA, PICTURES, WARNING, BUTTONS, PLAY, ARROW, ITAP,
        COMPUTER, PHONE;
};

// A picture missing from the resources stays a null image, which draws nothing.
PreviewPictures LoadPreviewPictures();

}  // namespace tintora
