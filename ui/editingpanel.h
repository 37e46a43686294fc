// The editing panel: screen list, element list, colour swatch and hex field, transparency,
// name, undo.
#pragma once

#include "schemedocument.h"

#include "scheme/colourscheme.h"

#include <QObject>

#include <cstdint>

namespace Ui {
class MainWindow;
}

namespace tintora {

class WindowDialogs;

class EditingPanel : public QObject {
    Q_OBJECT
public:
    EditingPanel(Ui::MainWindow &ui, SchemeDocument &document, WindowDialogs &dialogs);

    int selectedScreen() const { return selectedScreen_; }
    int selectedElement() const;

    // The main screen and its first element, the list rows set without running a handler.
    void resetSelection();
    void selectFirstScreen();
    void fillElementCombo(bool resetIndex);
    void showSelectedElement();
    // "Undo colour of Main text": what the next undo and redo would change.
    void showHistoryCaptions();

public slots:
    void chooseScreen();
    void chooseElement();
    void chooseColour();
    void applyHexColour(Colour colour);
    void setTransparencyFromSlider();
    void setTransparencyFromSpin();
    void renameScheme();
    void undo();
    void redo();
    // The element that drew a pixel of the preview, 0 for none.
    void pickElement(int element);
    // Goes to the screen that lists the element.
    void goToElement(int element);
    void moveToElement(int element);

signals:
    void repaintWanted(int screen);
    // Chosen by the user, to be marked on the preview.
    void elementChosen(int element);
    void captionChanged(const QString &caption);

private:
    // Whether the screen shown lists element.
    bool listsElement(int element) const;
    void drawSwatch();
    void onScreenRowChanged(int row);
    void onScreenRowClicked(int row);
    // What follows a colour confirmed in the chooser, for every way a colour is chosen.
    void applySwatchColour();
    void storeTransparency();
    void showRestoredEdit(EditKind kind, int element);

    Ui::MainWindow &ui_;
    SchemeDocument &document_;
    ColourScheme &scheme_;
    WindowDialogs &dialogs_;

    std::uint8_t selectedScreen_ = 0;
    std::uint8_t firstElement_ = 0;
    std::uint8_t elementCount_ = 0;
    Colour swatchColour_ = 0;
    // The colour chooser opens on what was last confirmed in it, black at first.
    Colour chooserColour_ = 0;
    // A mouse press that moved the screen row has run chooseScreen already; its release
    // must not run it again.
    int rowChangedByPress_ = -1;
};

}  // namespace tintora
