// Configuration > Settings: the dialog of the five preview options.
#include "previewsettingsdialog.h"

#include "centreonscreen.h"
#include "cp1251validator.h"
#include "settings/settings.h"
#include "ui_previewsettingsdialog.h"

#include "preview/clock.h"

#include <QButtonGroup>
#include <QRadioButton>

#include <initializer_list>

namespace tintora {
namespace {

QButtonGroup *MakeGroup(QObject *owner, std::initializer_list<QRadioButton *> items)
{
    auto *group = new QButtonGroup(owner);
    int index = 0;
    for (QRadioButton *item : items)
        group->addButton(item, index++);
    return group;
}

void SetItemIndex(QButtonGroup *group, int index)
{
    const int count = int(group->buttons().size());
    if (index < 0) {
        // An exclusive group keeps one button checked unless told otherwise.
        group->setExclusive(false);
        for (QAbstractButton *button : group->buttons())
            button->setChecked(false);
        group->setExclusive(true);
        return;
    }
    group->button(index < count ? index : count - 1)->setChecked(true);
}

}  // namespace

PreviewSettingsDialog::PreviewSettingsDialog(const Clock &clock, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::PreviewSettingsDialog>())
{
    ui->setupUi(this);
    setFixedSize(size());
    // The operator name is stored in Windows-1251 like every settings text.
    ui->providerNameEdit->setValidator(new Cp1251Validator(ui->providerNameEdit));
    clockGroup_ = MakeGroup(this, {ui->analogueClockRadio, ui->digitalClockRadio});
    dateGroup_ = MakeGroup(this, {ui->monthDayYearRadio, ui->dayMonthYearRadio,
                                  ui->dayMonthNameRadio, ui->noDateRadio});
    softKeyGroup_ = MakeGroup(this, {ui->leftSoftKeyRadio, ui->menuKeyRadio,
                                     ui->rightSoftKeyRadio, ui->noKeyRadio});
    limitDatesToStartMonth(clock);
}

PreviewSettingsDialog::~PreviewSettingsDialog() = default;

void PreviewSettingsDialog::limitDatesToStartMonth(const Clock &clock)
{
    const QDate today = clock.now().date();
    const QDate first(today.year(), today.month(), 1);
    ui->datePicker->setDateRange(first, first.addDays(today.daysInMonth() - 1));
}

void PreviewSettingsDialog::fillFromStored(const StoredPreviewSettings &stored)
{
    ui->providerNameEdit->setText(stored.ProviderName);
    SetItemIndex(clockGroup_, stored.ClockFormat);
    SetItemIndex(dateGroup_, stored.DateFormat);
    SetItemIndex(softKeyGroup_, stored.PressedSoftKey);
}

// When the month has turned since start-up the day of the current month may fall outside
// the picker's month: the picker then shows the nearest day it offers.
void PreviewSettingsDialog::setChosenDate(const QDate &date)
{
    ui->datePicker->setDate(
        qBound(ui->datePicker->minimumDate(), date, ui->datePicker->maximumDate()));
}

void PreviewSettingsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

QString PreviewSettingsDialog::providerName() const
{
    return ui->providerNameEdit->text();
}

int PreviewSettingsDialog::clockFormat() const
{
    return clockGroup_->checkedId();
}

int PreviewSettingsDialog::dateFormat() const
{
    return dateGroup_->checkedId();
}

int PreviewSettingsDialog::pressedSoftKey() const
{
    return softKeyGroup_->checkedId();
}

int PreviewSettingsDialog::chosenDay() const
{
    return ui->datePicker->date().day();
}

// Its frame is known only once it is shown.
void PreviewSettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

}  // namespace tintora
