// Help > About: the picture, the product name and version, the contact link.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDialog;
}

namespace tintora {

class WindowDialogs;

// Help > About: the picture, the product name and version, and the contact link.
// OK, Enter and the close button close it; with no cancel button, Esc does not.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // Takes the title of the language installed when it is created.
    AboutDialog(WindowDialogs &dialogs, QWidget *parent = nullptr);
    ~AboutDialog() override;

    void underlineEmail();
    void removeEmailUnderline();
    void sendEmail();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::AboutDialog> ui;
    WindowDialogs &dialogs_;
};

}  // namespace tintora
