// New from picture's choice: the suggestions of a picture shown side by side as they are made,
// away from the window's thread, light, dark or as the picture.
#pragma once

#include "suggestionchoices.h"

#include <QDialog>
#include <QFutureWatcher>

class QComboBox;
class QLabel;
class QListWidget;

namespace tintora {

class SuggestionChooser : public QDialog {
    Q_OBJECT
public:
    SuggestionChooser(const QImage &picture, const PreviewSettings &settings, SchemeTone tone,
                      QWidget *parent = nullptr);
    // Waits for the suggestion being made, which then stops.
    ~SuggestionChooser() override;

    SchemeTone tone() const { return tone_; }
    // Whether every suggestion of the tone has been made.
    bool finished() const { return watcher_.isFinished(); }

signals:
    void chosen(const SuggestionChoice &choice);
    void toneChosen(SchemeTone tone);

private:
    void makeChoices();
    void showChoice(int index);
    void choose(int row);

    QImage picture_;
    PreviewSettings settings_;
    SchemeTone tone_;
    QComboBox *toneCombo_;
    QListWidget *list_;
    QLabel *status_;
    std::vector<SuggestionChoice> choices_;
    QFutureWatcher<SuggestionChoice> watcher_;
};

}  // namespace tintora
