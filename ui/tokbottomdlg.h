#pragma once

#include "scheme/colourscheme.h"

#include <QDate>
#include <QDialog>

#include <memory>

class QButtonGroup;

namespace Ui {
class TOKBottomDlg;
}

namespace tintora {

class Clock;
struct StoredPreviewSettings;

// The settings dialog of the five preview options. The main window fills it, shows it and
// writes what it returns (N8Click); OK accepts, Cancel, Esc and the close button reject.
class TOKBottomDlg : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg(const Clock &clock, QWidget *parent = nullptr);
    ~TOKBottomDlg() override;

    // ProviderName, ClockFormat, DateFormat and PressedSoftKey as stored. A stored index at
    // or beyond a group's items selects the last item, one below 0 selects none.
    void FillFromFile(const StoredPreviewSettings &stored);
    // Kept within the month the program started in.
    void setChoosedDate(const QDate &date);
    void SetTexts(Language language);

    QString providerName() const;
    int clockFormat() const;
    int dateFormat() const;
    int pressedSoftKey() const;
    int choosedDay() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate(const Clock &clock);

    std::unique_ptr<Ui::TOKBottomDlg> ui;
    QButtonGroup *clockGroup_;
    QButtonGroup *dateGroup_;
    QButtonGroup *softKeyGroup_;
};

}  // namespace tintora
