// The message boxes and file, colour and picture dialogs, done with Qt.
#include "qtwindowdialogs.h"

#include "applicationtitle.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

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

QString DefaultSuffix(const QString &filter)
{
    const QString pattern = filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0);
    static const QRegularExpression plainSuffix(QStringLiteral("^\\*\\.([^*?.]+)$"));
    return plainSuffix.match(pattern).captured(1);
}

QString QtWindowDialogs::chooseSaveFile(const QString &title, const QString &filter,
                                        const QString &initialName)
{
    // The dialog adds the extension before it asks about replacing a file, so "name" is
    // checked as the "name.sch" it becomes.
    QFileDialog dialog(owner_, title, initialName, QtFileFilter(filter));
    dialog.setOptions(kFileDialogOptions);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(DefaultSuffix(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> QtWindowDialogs::chooseColour(const QColor &initial, const QColor &current)
{
    QColorDialog::setCustomColor(0, current);
    QColorDialog dialog(initial, owner_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

QString QtWindowDialogs::choosePictureFile(const QString &title, const QString &filter)
{
    return chooseOpenFile(title, filter);
}

SaveAnswer QtWindowDialogs::askToSave(const SaveQuestion &question)
{
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle),
                    MessageLines(question.text), QMessageBox::NoButton, owner_);
    QPushButton *save = box.addButton(question.save, QMessageBox::AcceptRole);
    QPushButton *dontSave = box.addButton(question.dontSave, QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(question.cancel, QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == dontSave)
        return SaveAnswer::DontSave;
    return SaveAnswer::Cancel;
}

std::optional<QString> QtWindowDialogs::askText(const QString &title, const QString &label,
                                                const QString &text)
{
    bool ok = false;
    const QString typed = QInputDialog::getText(owner_, title, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return typed;
}

void QtWindowDialogs::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

}  // namespace tintora
