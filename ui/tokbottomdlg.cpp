#include "tokbottomdlg.h"

#include "centreonscreen.h"
#include "cp1251validator.h"
#include "languagetables.h"
#include "settings/settings.h"
#include "ui_tokbottomdlg.h"

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

TOKBottomDlg::TOKBottomDlg(const Clock &clock, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TOKBottomDlg>())
{
    ui->setupUi(this);
    setFixedSize(size());
    // The operator name is stored in Windows-1251 like every settings text.
    ui->Edit1->setValidator(new Cp1251Validator(ui->Edit1));
    clockGroup_ = MakeGroup(this, {ui->RadioGroup1Item0, ui->RadioGroup1Item1});
    dateGroup_ = MakeGroup(this, {ui->RadioGroup2Item0, ui->RadioGroup2Item1,
                                  ui->RadioGroup2Item2, ui->RadioGroup2Item3});
    softKeyGroup_ = MakeGroup(this, {ui->RadioGroup3Item0, ui->RadioGroup3Item1,
                                     ui->RadioGroup3Item2, ui->RadioGroup3Item3});
    FormCreate(clock);
}

TOKBottomDlg::~TOKBottomDlg() = default;

void TOKBottomDlg::FormCreate(const Clock &clock)
{
    const QDate today = clock.now().date();
    const QDate first(today.year(), today.month(), 1);
    ui->DateTimePicker1->setDateRange(first, first.addDays(today.daysInMonth() - 1));
}

void TOKBottomDlg::FillFromFile(const StoredPreviewSettings &stored)
{
    ui->Edit1->setText(stored.ProviderName);
    SetItemIndex(clockGroup_, stored.ClockFormat);
    SetItemIndex(dateGroup_, stored.DateFormat);
    SetItemIndex(softKeyGroup_, stored.PressedSoftKey);
}

// When the month has turned since start-up the day of the current month may fall outside
// the picker's month: the picker then shows the nearest day it offers.
void TOKBottomDlg::setChoosedDate(const QDate &date)
{
    ui->DateTimePicker1->setDate(
        qBound(ui->DateTimePicker1->minimumDate(), date, ui->DateTimePicker1->maximumDate()));
}

void TOKBottomDlg::SetTexts(Language language)
{
    for (const Caption &caption : SettingsDialogCaptions) {
        const QString text = caption.text.text(language);
        const QString control = QString::fromLatin1(caption.control);
        if (control == objectName()) {
            setWindowTitle(text);
        } else if (auto *group = findChild<QGroupBox *>(control)) {
            group->setTitle(text);
        } else if (auto *button = findChild<QAbstractButton *>(control)) {
            button->setText(text);
        } else if (auto *label = findChild<QLabel *>(control)) {
            label->setText(text);
        }
    }
}

QString TOKBottomDlg::providerName() const
{
    return ui->Edit1->text();
}

int TOKBottomDlg::clockFormat() const
{
    return clockGroup_->checkedId();
}

int TOKBottomDlg::dateFormat() const
{
    return dateGroup_->checkedId();
}

int TOKBottomDlg::pressedSoftKey() const
{
    return softKeyGroup_->checkedId();
}

int TOKBottomDlg::choosedDay() const
{
    return ui->DateTimePicker1->date().day();
}

// Its frame is known only once it is shown.
void TOKBottomDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

}  // namespace tintora
