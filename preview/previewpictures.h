#pragma once

#include <QImage>

namespace tintora {

// The thirteen pictures of the program's resources, 24-bit (QImage::Format_RGB888).
struct PreviewPictures {
    QImage statusStrip;    // signal, ringer and battery: the top row of several screens
    QImage iconGrid;       // the nine icons of the main menu
    QImage videoIcon, soundIcon, cameraIcon, picturesIcon;  // the select menu's items
    QImage globeSign;      // the notice window's sign
    QImage datebookTabs;   // the tabs at the ends of the datebook's title
    QImage playerControl;  // the multimedia player's round control
    QImage rightArrow;     // the message entry's arrow
    QImage inputModeSign;  // the message entry's text-input mode
    QImage computerModeIcon, phoneModeIcon;  // the status bar's work mode
};

// A picture missing from the resources stays a null image, which draws nothing.
PreviewPictures LoadPreviewPictures();

}  // namespace tintora
