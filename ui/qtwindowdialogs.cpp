#include "qtwindowdialogs.h"

#include "applicationtitle.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace tintora {

QString QtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

void QtWindowDialogs::inform(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle),
                    MessageLines(text), QMessageBox::Ok, owner_);
    box.exec();
}

void QtWindowDialogs::reportError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle),
                    MessageLines(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtWindowDialogs::askYesNo(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle),
                    MessageLines(text), QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

// The filter names show as given, "Colour styles(*.sch)", without Qt's pattern list
// repeated behind them.
constexpr QFileDialog::Options kFileDialogOptions = QFileDialog::HideNameFilterDetails;

QString QtWindowDialogs::chooseOpenFile(const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(owner_, title, QString(), QtFileFilter(filter), nullptr,
                                        kFileDialogOptions);
}

QString QtWindowDialogs::chooseSaveFile(const QString &title, const QString &filter,
                                        const QString &initialName)
{
    // The user's choice replaces a file as chosen: no extension is added.
    return QFileDialog::getSaveFileName(owner_, title, initialName, QtFileFilter(filter),
                                        nullptr, kFileDialogOptions);
}

std::optional<QColor> QtWindowDialogs::chooseColour(const QColor &initial)
{
    QColorDialog dialog(initial, owner_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

QString QtWindowDialogs::choosePictureFile(const QString &title, const QString &filter)
{
    return chooseOpenFile(title, filter);
}

void QtWindowDialogs::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

}  // namespace tintora
