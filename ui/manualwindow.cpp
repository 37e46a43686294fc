// Help > Manual: the user manual in the interface language.
#include "manualwindow.h"

#include "centreonscreen.h"

#include <QEvent>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tintora {

ManualWindow::ManualWindow(const QString &languageCode, QWidget *parent)
    : QDialog(parent), languageCode_(languageCode), browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("manualWindow"));
    browser_->setObjectName(QStringLiteral("manualText"));
    // Pages of the program only: a web address has nothing to be shown with here.
    browser_->setOpenExternalLinks(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 600);
    retranslate();
}

QUrl ManualWindow::PageOf(const QString &languageCode)
{
    const QString page = QStringLiteral(":/manual/%1.md").arg(languageCode);
    return QUrl(QStringLiteral("qrc") + (QFileInfo::exists(page) ? page : QStringLiteral(":/manual/en.md")));
}

void ManualWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

// A page of the other language followed from a link gives way too: the manual speaks the
// interface's language.
void ManualWindow::retranslate()
{
    setWindowTitle(tr("Tintora manual"));
    browser_->setSource(PageOf(languageCode_), QTextDocument::MarkdownResource);
    // Room between the text and the window's edge, which every page read anew takes away.
    browser_->document()->setDocumentMargin(12);
}

// Its frame is known only once it is shown; later it stays where the user put it.
void ManualWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!placed_) {
        CentreOnScreen(this);
        placed_ = true;
    }
}

}  // namespace tintora
