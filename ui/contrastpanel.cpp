// The dockable list of the texts that read badly, worst first.
#include "contrastpanel.h"

#include "wording.h"

#include <QListWidget>

namespace tintora {

ContrastPanel::ContrastPanel(QWidget *parent) : QDockWidget(parent), list_(new QListWidget(this))
{
    setObjectName(QStringLiteral("contrastPanel"));
    list_->setWordWrap(true);
    setWidget(list_);
    const auto choose = [this](QListWidgetItem *item) {
        const int element = item->data(Qt::UserRole).toInt();
        if (element > 0)
            emit elementChosen(element);
    };
    connect(list_, &QListWidget::itemClicked, this, choose);
    // Enter on a row, for who works from the keyboard.
    connect(list_, &QListWidget::itemActivated, this, choose);
}

void ContrastPanel::showPlaces(const std::vector<ContrastPlace> &places)
{
    list_->clear();
    for (const ContrastPlace &place : places) {
        auto *item = new QListWidgetItem(ContrastLine(place), list_);
        item->setData(Qt::UserRole, place.element);
    }
    if (places.empty()) {
        list_->addItem(tr("Every text reads at 4.5:1 or more (the clock's hands at 3:1)"));
    }
}

QStringList ContrastPanel::rows() const
{
    QStringList rows;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->data(Qt::UserRole).toInt() > 0)
            rows << list_->item(row)->text();
    }
    return rows;
}

}  // namespace tintora
