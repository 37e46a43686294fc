// The editing panel: screen list, element list, colour swatch and hex field, transparency, name, undo.
#include "editingpanel.h"

#include "applicationtitle.h"
#include "cp1251validator.h"
#include "historykeys.h"
#include "languagetables.h"
#include "wording.h"
#include "schemeedit.h"
#include "sliderthumbstyle.h"
#include "statusbar.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"

#include "scheme/catalogue.h"
#include "scheme/codepage.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleFactory>

namespace tintora {
namespace {

constexpr int kScreenRowHeight = 20;
constexpr int kHintMilliseconds = 6000;

QColor ToQColor(Colour colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Colour FromQColor(const QColor &colour)
{
    return Colour(colour.red()) | Colour(colour.green()) << 8 | Colour(colour.blue()) << 16;
}

}  // namespace

EditingPanel::EditingPanel(Ui::MainWindow &ui, SchemeDocument &document, WindowDialogs &dialogs)
    : ui_(ui),
      document_(document),
      scheme_(document.scheme),
      dialogs_(dialogs)
{
    auto *sliderStyle = new SliderThumbStyle(QStyleFactory::create(QApplication::style()->name()));
    sliderStyle->setParent(ui_.transparencySlider);
    ui_.transparencySlider->setStyle(sliderStyle);
    for (int row = 0; row < ui_.screenList->count(); ++row)
        ui_.screenList->item(row)->setSizeHint(QSize(0, kScreenRowHeight));
    // The spin box is stepped with its buttons and the arrow keys, never typed into.
    if (auto *spinText = ui_.transparencySpin->findChild<QLineEdit *>()) {
        spinText->setReadOnly(true);
        spinText->setMaxLength(3);
    }
    ui_.schemeNameEdit->setValidator(new Cp1251Validator(ui_.schemeNameEdit));

    connect(ui_.screenList, &QListWidget::currentRowChanged, this, &EditingPanel::onScreenRowChanged);
    // A name found on one screen says nothing about the next.
    connect(ui_.screenList, &QListWidget::currentRowChanged, ui_.statusBar, &StatusBar::clearHint);
    connect(ui_.screenList, &QListWidget::clicked, this,
            [this](const QModelIndex &index) { onScreenRowClicked(index.row()); });
    connect(ui_.elementCombo, &QComboBox::activated, this, &EditingPanel::chooseElement);
    connect(ui_.colourSwatch, &ClickLabel::clicked, this, &EditingPanel::chooseColour);
    connect(ui_.colourHexEdit, &HexColourEdit::colourEntered, this, &EditingPanel::applyHexColour);
    connect(ui_.transparencySlider, &QSlider::valueChanged, this, &EditingPanel::setTransparencyFromSlider);
    connect(ui_.transparencySpin, &QSpinBox::valueChanged, this, &EditingPanel::setTransparencyFromSpin);
    connect(ui_.schemeNameEdit, &QLineEdit::textChanged, this, &EditingPanel::renameScheme);

    connect(ui_.undoAction, &QAction::triggered, this, &EditingPanel::undo);
    connect(ui_.redoAction, &QAction::triggered, this, &EditingPanel::redo);
    ui_.undoAction->setShortcuts(QKeySequence::Undo);
    ui_.redoAction->setShortcuts(RedoKeys());
    ui_.schemeNameEdit->installEventFilter(new HistoryKeys(ui_.schemeNameEdit));
    ui_.colourHexEdit->installEventFilter(new HistoryKeys(ui_.colourHexEdit));
    // A file let go over the name field opens like anywhere else on the window, instead of
    // its address being typed into the name.
    ui_.schemeNameEdit->setAcceptDrops(false);
    // The slider held down makes one step of its changes.
    connect(ui_.transparencySlider, &QSlider::sliderPressed, &document_, &SchemeDocument::beginDrag);
    connect(ui_.transparencySlider, &QSlider::sliderReleased, &document_, &SchemeDocument::endDrag);
    connect(&document_, &SchemeDocument::restored, this, &EditingPanel::showRestoredEdit);
    connect(&document_.history(), &QUndoStack::indexChanged, this,
            &EditingPanel::showHistoryCaptions);
}

int EditingPanel::selectedElement() const
{
    return firstElement_ + ui_.elementCombo->currentIndex();
}

void EditingPanel::drawSwatch()
{
    QPixmap swatch(ui_.colourSwatch->size());
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(swatchColour_));
    painter.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    painter.end();
    ui_.colourSwatch->setPixmap(swatch);
    ui_.colourHexEdit->setColour(swatchColour_);
}

void EditingPanel::showSelectedElement()
{
    const int element = selectedElement();
    const int transparency = scheme_.entry(element).transparency;

    swatchColour_ = scheme_.entry(element).colour;
    drawSwatch();
    // A changed value runs the slider's change handling, which aligns a linked partner.
    ui_.transparencySlider->setValue(transparency);
    ui_.transparencySpin->setValue(transparency);
}

void EditingPanel::resetSelection()
{
    {
        const QSignalBlocker blocker(ui_.screenList);
        ui_.screenList->setCurrentRow(0);
    }
    selectedScreen_ = 0;
    firstElement_ = 1;
    elementCount_ = 12;
}

void EditingPanel::selectFirstScreen()
{
    resetSelection();
    fillElementCombo(true);
    ui_.schemeNameEdit->setText(FromCp1251(scheme_.name));
}

void EditingPanel::fillElementCombo(bool resetIndex)
{
    const int remembered = ui_.elementCombo->currentIndex();
    ui_.elementCombo->clear();
    const int last = firstElement_ + elementCount_ - 1;
    for (int element = firstElement_; element <= last; ++element) {
        ui_.elementCombo->addItem(ElementName(element));
        ui_.elementCombo->setItemData(element - firstElement_, RoleTooltip(element),
                                      Qt::ToolTipRole);
    }
    ui_.elementCombo->setCurrentIndex(resetIndex ? 0 : remembered);
}

void EditingPanel::onScreenRowChanged(int row)
{
    if (QApplication::mouseButtons() & Qt::LeftButton)
        rowChangedByPress_ = row;
    chooseScreen();
}

// A click on the row that is already selected chooses that screen again.
void EditingPanel::onScreenRowClicked(int row)
{
    const bool handledAtPress = rowChangedByPress_ == row;
    rowChangedByPress_ = -1;
    if (!handledAtPress)
        chooseScreen();
}

void EditingPanel::chooseScreen()
{
    const int row = ui_.screenList->currentRow();
    selectedScreen_ = std::uint8_t(row);
    if (row >= 0 && row < kScreenCount) {
        firstElement_ = std::uint8_t(ScreenGroupTable[row].firstElement);
        elementCount_ = std::uint8_t(ScreenGroupTable[row].count);
    }
    fillElementCombo(true);
    showSelectedElement();
    emit repaintWanted(selectedScreen_);
    emit elementChosen(selectedElement());
}

void EditingPanel::chooseElement()
{
    showSelectedElement();
    emit elementChosen(selectedElement());
}

void EditingPanel::chooseColour()
{
    // The chooser opens on the last colour confirmed in it, whichever element that was.
    const std::optional<QColor> chosen =
        dialogs_.chooseColour(ToQColor(chooserColour_), ToQColor(scheme_.entry(selectedElement()).colour));
    if (chosen) {
        chooserColour_ = FromQColor(*chosen);
        swatchColour_ = chooserColour_;
    }
    // A cancel applies the swatch too: the element's own colour, an edit of nothing.
    applySwatchColour();
}

void EditingPanel::applyHexColour(Colour colour)
{
    swatchColour_ = colour;
    applySwatchColour();
}

void EditingPanel::applySwatchColour()
{
    drawSwatch();
    const ColourScheme before = scheme_;
    scheme_.entry(selectedElement()).colour = swatchColour_;
    document_.record(EditKind::Colour, selectedElement(), before);
    emit repaintWanted(selectedScreen_);
}

void EditingPanel::setTransparencyFromSlider()
{
    ui_.transparencySpin->setValue(ui_.transparencySlider->value());
    storeTransparency();
}

void EditingPanel::setTransparencyFromSpin()
{
    ui_.transparencySlider->setValue(ui_.transparencySpin->value());
    storeTransparency();
}

// What the slider and the spin box do alike once they agree: the element and its linked
// partner take the value, as one undo step, and the preview shows it.
void EditingPanel::storeTransparency()
{
    const int element = selectedElement();
    const ColourScheme before = scheme_;
    scheme_.entry(element).transparency = std::uint8_t(ui_.transparencySpin->value());
    SyncLinkedTransparency(scheme_, element);
    document_.record(EditKind::Transparency, element, before);
    emit repaintWanted(selectedScreen_);
}

void EditingPanel::renameScheme()
{
    const QString text = ui_.schemeNameEdit->text();
    emit captionChanged(text.isEmpty() ? QString::fromLatin1(kApplicationTitle) : SchemeCaption(text));
    // The field's validator lets in only characters that Windows-1251 holds, and every
    // byte of a loaded name has a character, so the conversion always succeeds.
    const ColourScheme before = scheme_;
    if (const std::optional<QByteArray> name = ToCp1251(text))
        scheme_.name = *name;
    document_.record(EditKind::Name, 0, before);
}

void EditingPanel::undo()
{
    document_.history().undo();
}

void EditingPanel::redo()
{
    document_.history().redo();
}

void EditingPanel::showHistoryCaptions()
{
    const QUndoStack &history = document_.history();
    const int index = history.index();
    const auto *undo = index > 0 ? static_cast<const SchemeEdit *>(history.command(index - 1))
                                 : nullptr;
    const auto *redo = index < history.count()
                           ? static_cast<const SchemeEdit *>(history.command(index))
                           : nullptr;
    const QString undoText = tr("&Undo");
    const QString redoText = tr("&Redo");
    ui_.undoAction->setText(undo ? undoText + QLatin1Char(' ') + undo->describe() : undoText);
    ui_.redoAction->setText(redo ? redoText + QLatin1Char(' ') + redo->describe() : redoText);
    ui_.undoAction->setEnabled(undo != nullptr);
    ui_.redoAction->setEnabled(redo != nullptr);
}

void EditingPanel::showRestoredEdit(EditKind kind, int element)
{
    if (kind == EditKind::Name)
        ui_.schemeNameEdit->setText(FromCp1251(scheme_.name));
    else if (kind != EditKind::Suggestion)
        moveToElement(element);
}

// The element list shows element, on its screen, with its restored values; the slider's
// change handling does not run, so nothing is stored over what was restored.
bool EditingPanel::listsElement(int element) const
{
    return element >= firstElement_ && element < firstElement_ + elementCount_;
}

void EditingPanel::moveToElement(int element)
{
    const int screen = ScreenOfElement(element);
    if (!listsElement(element) && screen >= 0) {
        const ScreenGroup &group = ScreenGroupTable[screen];
        const QSignalBlocker blocker(ui_.screenList);
        ui_.screenList->setCurrentRow(screen);
        selectedScreen_ = std::uint8_t(screen);
        firstElement_ = std::uint8_t(group.firstElement);
        elementCount_ = std::uint8_t(group.count);
        fillElementCombo(true);
    }
    if (listsElement(element))
        ui_.elementCombo->setCurrentIndex(element - firstElement_);
    {
        const QSignalBlocker sliderBlocker(ui_.transparencySlider);
        const QSignalBlocker spinBlocker(ui_.transparencySpin);
        showSelectedElement();
    }
    emit repaintWanted(selectedScreen_);
}

// The element that drew the pixel is chosen when the screen lists it; otherwise its name and
// its screen are shown, where a double click goes. Pictures and fixed colours belong to no
// element.
void EditingPanel::pickElement(int element)
{
    ui_.statusBar->clearHint();
    if (element == 0)
        return;
    if (listsElement(element)) {
        ui_.elementCombo->setCurrentIndex(element - firstElement_);
        chooseElement();
        return;
    }
    ui_.statusBar->showHint(ElementOnOtherScreenText(element, ScreenOfElement(element)),
                            kHintMilliseconds);
}

void EditingPanel::goToElement(int element)
{
    if (element == 0 || listsElement(element))
        return;
    ui_.screenList->setCurrentRow(ScreenOfElement(element));
    // The row did not change by a press on the list.
    rowChangedByPress_ = -1;
    ui_.elementCombo->setCurrentIndex(element - firstElement_);
    chooseElement();
}

}  // namespace tintora
