// The editing panel: screen list, element list, colour swatch and hex field, transparency, name, undo.
#include "mainwindow.h"

#include "applicationtitle.h"
#include "cp1251validator.h"
#include "historykeys.h"
#include "languagetables.h"
#include "wording.h"
#include "schemeedit.h"
#include "sliderthumbstyle.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"

#include "preview/preview.h"
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

QColor ToQColor(Colour colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Colour FromQColor(const QColor &colour)
{
    return Colour(colour.red()) | Colour(colour.green()) << 8 | Colour(colour.blue()) << 16;
}

}  // namespace

void MainWindow::setUpEditingPanel()
{
    auto *sliderStyle = new SliderThumbStyle(QStyleFactory::create(QApplication::style()->name()));
    sliderStyle->setParent(ui->transparencySlider);
    ui->transparencySlider->setStyle(sliderStyle);
    for (int row = 0; row < ui->screenList->count(); ++row)
        ui->screenList->item(row)->setSizeHint(QSize(0, kScreenRowHeight));
    // The spin box is stepped with its buttons and the arrow keys, never typed into.
    if (auto *spinText = ui->transparencySpin->findChild<QLineEdit *>()) {
        spinText->setReadOnly(true);
        spinText->setMaxLength(3);
    }
    ui->schemeNameEdit->setValidator(new Cp1251Validator(ui->schemeNameEdit));

    connect(ui->screenList, &QListWidget::currentRowChanged, this, &MainWindow::onScreenRowChanged);
    connect(ui->screenList, &QListWidget::clicked, this,
            [this](const QModelIndex &index) { onScreenRowClicked(index.row()); });
    connect(ui->elementCombo, &QComboBox::activated, this, &MainWindow::chooseElement);
    connect(ui->colourSwatch, &ClickLabel::clicked, this, &MainWindow::chooseColour);
    connect(ui->colourHexEdit, &HexColourEdit::colourEntered, this, &MainWindow::applyHexColour);
    connect(ui->transparencySlider, &QSlider::valueChanged, this, &MainWindow::setTransparencyFromSlider);
    connect(ui->transparencySpin, &QSpinBox::valueChanged, this, &MainWindow::setTransparencyFromSpin);
    connect(ui->schemeNameEdit, &QLineEdit::textChanged, this, &MainWindow::renameScheme);

    connect(ui->undoAction, &QAction::triggered, this, &MainWindow::undo);
    connect(ui->redoAction, &QAction::triggered, this, &MainWindow::redo);
    ui->undoAction->setShortcuts(QKeySequence::Undo);
    ui->redoAction->setShortcuts(QKeySequence::Redo);
    ui->schemeNameEdit->installEventFilter(new HistoryKeys(ui->schemeNameEdit));
    ui->colourHexEdit->installEventFilter(new HistoryKeys(ui->colourHexEdit));
    // A file let go over the name field opens like anywhere else on the window, instead of
    // its address being typed into the name.
    ui->schemeNameEdit->setAcceptDrops(false);
    // The slider held down makes one step of its changes.
    connect(ui->transparencySlider, &QSlider::sliderPressed, &document_, &SchemeDocument::beginDrag);
    connect(ui->transparencySlider, &QSlider::sliderReleased, &document_, &SchemeDocument::endDrag);
    connect(&document_, &SchemeDocument::restored, this, &MainWindow::showRestoredEdit);
    connect(&document_.history(), &QUndoStack::indexChanged, this,
            &MainWindow::showHistoryCaptions);
}

int MainWindow::selectedElement() const
{
    return firstElement_ + ui->elementCombo->currentIndex();
}

void MainWindow::drawSwatch()
{
    QPixmap swatch(ui->colourSwatch->size());
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(swatchColour_));
    painter.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    painter.end();
    ui->colourSwatch->setPixmap(swatch);
    ui->colourHexEdit->setColour(swatchColour_);
}

void MainWindow::showSelectedElement()
{
    const int element = selectedElement();
    const int transparency = scheme_.entry(element).transparency;

    swatchColour_ = scheme_.entry(element).colour;
    drawSwatch();
    // A changed value runs the slider's change handling, which aligns a linked partner.
    ui->transparencySlider->setValue(transparency);
    ui->transparencySpin->setValue(transparency);
}

void MainWindow::selectFirstScreen()
{
    {
        const QSignalBlocker blocker(ui->screenList);
        ui->screenList->setCurrentRow(0);
    }
    selectedScreen_ = 0;
    firstElement_ = 1;
    elementCount_ = 12;
    fillElementCombo(true);
    ui->schemeNameEdit->setText(FromCp1251(scheme_.name));
}

void MainWindow::fillElementCombo(bool resetIndex)
{
    const int remembered = ui->elementCombo->currentIndex();
    ui->elementCombo->clear();
    const int last = firstElement_ + elementCount_ - 1;
    for (int element = firstElement_; element <= last; ++element) {
        ui->elementCombo->addItem(ElementName(element));
        ui->elementCombo->setItemData(element - firstElement_, RoleTooltip(element),
                                      Qt::ToolTipRole);
    }
    ui->elementCombo->setCurrentIndex(resetIndex ? 0 : remembered);
}

void MainWindow::onScreenRowChanged(int row)
{
    if (QApplication::mouseButtons() & Qt::LeftButton)
        rowChangedByPress_ = row;
    chooseScreen();
}

// A click on the row that is already selected chooses that screen again.
void MainWindow::onScreenRowClicked(int row)
{
    const bool handledAtPress = rowChangedByPress_ == row;
    rowChangedByPress_ = -1;
    if (!handledAtPress)
        chooseScreen();
}

void MainWindow::chooseScreen()
{
    const int row = ui->screenList->currentRow();
    selectedScreen_ = std::uint8_t(row);
    if (row >= 0 && row < kScreenCount) {
        firstElement_ = std::uint8_t(ScreenGroupTable[row].firstElement);
        elementCount_ = std::uint8_t(ScreenGroupTable[row].count);
    }
    fillElementCombo(true);
    showSelectedElement();
    repaintPreview(selectedScreen_);
    markSelectedElement();
}

void MainWindow::chooseElement()
{
    showSelectedElement();
    markSelectedElement();
}

void MainWindow::chooseColour()
{
    // The chooser opens on the last colour confirmed in it, whichever element that was.
    const std::optional<QColor> chosen =
        dialogs().chooseColour(ToQColor(chooserColour_), ToQColor(scheme_.entry(selectedElement()).colour));
    if (chosen) {
        chooserColour_ = FromQColor(*chosen);
        swatchColour_ = chooserColour_;
    }
    // A cancel applies the swatch too: the element's own colour, an edit of nothing.
    applySwatchColour();
}

void MainWindow::applyHexColour(Colour colour)
{
    swatchColour_ = colour;
    applySwatchColour();
}

void MainWindow::applySwatchColour()
{
    drawSwatch();
    const ColourScheme before = scheme_;
    scheme_.entry(selectedElement()).colour = swatchColour_;
    document_.record(EditKind::Colour, selectedElement(), before);
    repaintPreview(selectedScreen_);
}

void MainWindow::setTransparencyFromSlider()
{
    ui->transparencySpin->setValue(ui->transparencySlider->value());
    storeTransparency();
}

void MainWindow::setTransparencyFromSpin()
{
    ui->transparencySlider->setValue(ui->transparencySpin->value());
    storeTransparency();
}

// What the slider and the spin box do alike once they agree: the element and its linked
// partner take the value, as one undo step, and the preview shows it.
void MainWindow::storeTransparency()
{
    const int element = selectedElement();
    const ColourScheme before = scheme_;
    scheme_.entry(element).transparency = std::uint8_t(ui->transparencySpin->value());
    SyncLinkedTransparency(scheme_, element);
    document_.record(EditKind::Transparency, element, before);
    repaintPreview(selectedScreen_);
}

void MainWindow::renameScheme()
{
    const QString text = ui->schemeNameEdit->text();
    setCaption(text.isEmpty() ? QString::fromLatin1(kApplicationTitle) : SchemeCaption(text));
    // The field's validator lets in only characters that Windows-1251 holds, and every
    // byte of a loaded name has a character, so the conversion always succeeds.
    const ColourScheme before = scheme_;
    if (const std::optional<QByteArray> name = ToCp1251(text))
        scheme_.name = *name;
    document_.record(EditKind::Name, 0, before);
}

void MainWindow::undo()
{
    document_.history().undo();
}

void MainWindow::redo()
{
    document_.history().redo();
}

// "Undo colour of Main text": what the next undo and redo would change.
void MainWindow::showHistoryCaptions()
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
    ui->undoAction->setText(undo ? undoText + QLatin1Char(' ') + undo->describe() : undoText);
    ui->redoAction->setText(redo ? redoText + QLatin1Char(' ') + redo->describe() : redoText);
    ui->undoAction->setEnabled(undo != nullptr);
    ui->redoAction->setEnabled(redo != nullptr);
}

void MainWindow::showRestoredEdit(EditKind kind, int element)
{
    if (kind == EditKind::Name)
        ui->schemeNameEdit->setText(FromCp1251(scheme_.name));
    else if (kind == EditKind::Suggestion)
        showSuggestion(element);
    else
        moveToElement(element);
}

// The element list shows element, on its screen, with its restored values; the slider's
// change handling does not run, so nothing is stored over what was restored.
bool MainWindow::listsElement(int element) const
{
    return element >= firstElement_ && element < firstElement_ + elementCount_;
}

void MainWindow::moveToElement(int element)
{
    const int screen = ScreenOfElement(element);
    if (!listsElement(element) && screen >= 0) {
        const ScreenGroup &group = ScreenGroupTable[screen];
        const QSignalBlocker blocker(ui->screenList);
        ui->screenList->setCurrentRow(screen);
        selectedScreen_ = std::uint8_t(screen);
        firstElement_ = std::uint8_t(group.firstElement);
        elementCount_ = std::uint8_t(group.count);
        fillElementCombo(true);
    }
    if (listsElement(element))
        ui->elementCombo->setCurrentIndex(element - firstElement_);
    {
        const QSignalBlocker sliderBlocker(ui->transparencySlider);
        const QSignalBlocker spinBlocker(ui->transparencySpin);
        showSelectedElement();
    }
    repaintPreview(selectedScreen_);
}

}  // namespace tintora
