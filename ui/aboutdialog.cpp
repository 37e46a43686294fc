// Help > About: the picture, the product name and version, the contact link.
#include "aboutdialog.h"

#include "centreonscreen.h"
#include "contact.h"
#include "ui_aboutdialog.h"
#include "windowdialogs.h"

#include "preview/jpegpicture.h"
#include "preview/previewresources.h"

#include <QKeyEvent>
#include <QUrl>

namespace tintora {

AboutDialog::AboutDialog(WindowDialogs &dialogs, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::AboutDialog>()), dialogs_(dialogs)
{
    ui->setupUi(this);
    setFixedSize(size());
    EnsurePreviewResources();
    // A picture that does not decode leaves the frame empty; the box is still of use.
    if (const std::optional<QImage> picture = DecodeJpeg(QStringLiteral(":/about.jpg"), nullptr))
        ui->programIcon->setPixmap(QPixmap::fromImage(*picture));
    ui->emailLink->setText(QStringLiteral("E-mail: ") + QLatin1String(kContactAddress));
    connect(ui->emailLink, &ClickLabel::mouseEntered, this, &AboutDialog::underlineEmail);
    connect(ui->emailLink, &ClickLabel::mouseLeft, this, &AboutDialog::removeEmailUnderline);
    connect(ui->emailLink, &ClickLabel::clicked, this, &AboutDialog::sendEmail);
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void AboutDialog::underlineEmail()
{
    QFont font = ui->emailLink->font();
    font.setUnderline(true);
    ui->emailLink->setFont(font);
}

void AboutDialog::removeEmailUnderline()
{
    QFont font = ui->emailLink->font();
    font.setUnderline(false);
    ui->emailLink->setFont(font);
}

// The box stays open; whether a mail program answered is not ours to report.
void AboutDialog::sendEmail()
{
    dialogs_.openUrl(QUrl(QStringLiteral("mailto:") + QLatin1String(kContactAddress)));
}

void AboutDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Its frame is known only once it is shown.
void AboutDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

}  // namespace tintora
