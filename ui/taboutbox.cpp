#include "taboutbox.h"

#include "centreonscreen.h"
#include "contact.h"
#include "languagetables.h"
#include "ui_taboutbox.h"
#include "windowdialogs.h"

#include "preview/jpegpicture.h"
#include "preview/previewresources.h"

#include <QKeyEvent>
#include <QUrl>

namespace tintora {

TAboutBox::TAboutBox(Language language, WindowDialogs &dialogs, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TAboutBox>()), dialogs_(dialogs)
{
    ui->setupUi(this);
    setFixedSize(size());
    setWindowTitle(AboutBoxTitle(language));
    EnsurePreviewResources();
    // A picture that does not decode leaves the frame empty; the box is still of use.
    if (const std::optional<QImage> picture = DecodeJpeg(QStringLiteral(":/about.jpg"), nullptr))
        ui->ProgramIcon->setPixmap(QPixmap::fromImage(*picture));
    ui->Email->setText(QStringLiteral("E-mail: ") + QLatin1String(kContactAddress));
    connect(ui->Email, &ClickLabel::mouseEntered, this, &TAboutBox::EmailMouseEnter);
    connect(ui->Email, &ClickLabel::mouseLeft, this, &TAboutBox::EmailMouseLeave);
    connect(ui->Email, &ClickLabel::clicked, this, &TAboutBox::EmailClick);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::EmailMouseEnter()
{
    QFont font = ui->Email->font();
    font.setUnderline(true);
    ui->Email->setFont(font);
}

void TAboutBox::EmailMouseLeave()
{
    QFont font = ui->Email->font();
    font.setUnderline(false);
    ui->Email->setFont(font);
}

// The box stays open; whether a mail program answered is not ours to report.
void TAboutBox::EmailClick()
{
    dialogs_.openUrl(QUrl(QStringLiteral("mailto:") + QLatin1String(kContactAddress)));
}

void TAboutBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Its frame is known only once it is shown.
void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

}  // namespace tintora
