// Configuration > Settings: the dialog of the five preview options.
#pragma once

#include <QDate>
#include <QDialog>

#include <memory>

class QButtonGroup;

namespace Ui {
class PreviewSettingsDialog;
}

namespace tintora {

class Clock;
struct StoredPreviewSettings;

// The settings dialog of the five preview options. The main window fills it, shows it and
// writes what it returns (showPreviewSettings); OK accepts, Cancel, Esc and the close button
// reject.
class PreviewSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreviewSettingsDialog(const Clock &clock, QWidget *parent = nullptr);
    ~PreviewSettingsDialog() override;

    // ProviderName, ClockFormat, DateFormat and PressedSoftKey as stored. A stored index at
    // or beyond a group's items selects the last item, one below 0 selects none.
    void fillFromStored(const StoredPreviewSettings &stored);
    // Kept within the month the program started in.
    void setChosenDate(const QDate &date);

    QString providerName() const;
    int clockFormat() const;
    int dateFormat() const;
    int pressedSoftKey() const;
    int chosenDay() const;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void limitDatesToStartMonth(const Clock &clock);

    std::unique_ptr<Ui::PreviewSettingsDialog> ui;
    QButtonGroup *clockGroup_;
    QButtonGroup *dateGroup_;
    QButtonGroup *softKeyGroup_;
};

}  // namespace tintora
