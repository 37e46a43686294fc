// Help > Manual: the user manual in the interface language.
#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace tintora {

// The user manual, one Markdown page a language built into the program (docs/manual/), shown
// beside the editor without blocking it. A change of interface language brings the page of
// the new language; the links between the pages are followed inside the window, and Esc
// closes it.
class ManualWindow : public QDialog {
    Q_OBJECT
public:
    // languageCode is the interface language's code ("ru", "en"), read again at each change
    // of language.
    explicit ManualWindow(const QString &languageCode, QWidget *parent = nullptr);

    // The page of a language; English where the program carries none in it.
    static QUrl PageOf(const QString &languageCode);

    QTextBrowser &browser() { return *browser_; }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void retranslate();

    const QString &languageCode_;
    QTextBrowser *browser_;
    bool placed_ = false;
};

}  // namespace tintora
