// The dockable list of the texts that read badly, worst first, and the bound they are judged by.
#include "contrastpanel.h"

#include "wording.h"

#include "settings/settings.h"

#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tintora {

namespace {

// The text's colour beside the colour around it, each in a square with a grey frame.
QIcon SwatchIcon(const ContrastSwatches &swatches)
{
    constexpr int kSide = 16;
    QPixmap pixmap(2 * kSide + 2, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    const QColor colours[] = {swatches.text, swatches.around};
    for (int k = 0; k < 2; ++k) {
        const QRect square(k * (kSide + 2), 0, kSide - 1, kSide - 1);
        painter.fillRect(square, colours[k].isValid() ? colours[k] : QColor(Qt::transparent));
        painter.drawRect(square);
    }
    return QIcon(pixmap);
}

}  // namespace

ContrastPanel::ContrastPanel(QWidget *parent)
    : QDockWidget(parent), boundCombo_(new QComboBox), list_(new QListWidget)
{
    setObjectName(QStringLiteral("contrastPanel"));
    boundCombo_->setObjectName(QStringLiteral("contrastBoundCombo"));
    for (int bound = 0; bound < kContrastBoundCount; ++bound)
        boundCombo_->addItem(QString());
    list_->setObjectName(QStringLiteral("contrastList"));
    list_->setWordWrap(true);
    list_->setIconSize(QSize(34, 16));
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("contrastContent"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(boundCombo_);
    layout->addWidget(list_);
    setWidget(content);
    retranslate();
    connect(boundCombo_, &QComboBox::activated, this, &ContrastPanel::boundChosen);
    const auto choose = [this](QListWidgetItem *item) {
        const int element = item->data(Qt::UserRole).toInt();
        if (element > 0) {
            chosenElement_ = element;
            emit elementChosen(element);
        }
    };
    connect(list_, &QListWidget::itemClicked, this, choose);
    // Enter on a row, for who works from the keyboard.
    connect(list_, &QListWidget::itemActivated, this, choose);
}

void ContrastPanel::retranslate()
{
    // The standards' own names and figures, the same in every language but for the words.
    const QString names[kContrastBoundCount] = {
        tr("WCAG 2 AA, 4.5 : 1"), tr("WCAG AAA, 7 : 1"), tr("APCA Lc 60"), tr("APCA Lc 75")};
    for (int bound = 0; bound < kContrastBoundCount; ++bound)
        boundCombo_->setItemText(bound, names[bound]);
    boundCombo_->setToolTip(tr("The contrast every text needs"));
}

void ContrastPanel::showBound(int bound)
{
    const QSignalBlocker quiet(boundCombo_);
    boundCombo_->setCurrentIndex(bound);
}

void ContrastPanel::showRows(const std::vector<ContrastRow> &rows)
{
    const QSignalBlocker quiet(list_);
    list_->clear();
    QListWidgetItem *chosen = nullptr;
    for (const ContrastRow &row : rows) {
        auto *item = new QListWidgetItem(SwatchIcon(row.swatches), ContrastSentence(row.place), list_);
        item->setData(Qt::UserRole, row.place.element);
        item->setToolTip(ContrastLine(row.place));
        if (row.place.element == chosenElement_)
            chosen = item;
    }
    if (rows.empty())
        list_->addItem(tr("Every text reads at the contrast chosen above"));
    if (chosen)
        list_->setCurrentItem(chosen);
    else
        chosenElement_ = 0;
}

QStringList ContrastPanel::rows() const
{
    QStringList rows;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->data(Qt::UserRole).toInt() > 0)
            rows << list_->item(row)->toolTip();
    }
    return rows;
}

QStringList ContrastPanel::sentences() const
{
    QStringList sentences;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->data(Qt::UserRole).toInt() > 0)
            sentences << list_->item(row)->text();
    }
    return sentences;
}

}  // namespace tintora
