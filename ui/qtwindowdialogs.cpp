// The message boxes and file, colour and picture dialogs, done with Qt.
#include "qtwindowdialogs.h"

#include "applicationtitle.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

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

namespace {

int WidestText(const QFontMetrics &metrics, const QStringList &texts)
{
    int widest = 0;
    for (const QString &text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// Widens the dialog, once its parts are laid out and before it is on the screen, so that
// the view holds all its columns.
class WideEnoughForColumns : public QObject {
public:
    WideEnoughForColumns(QTreeView *view, QObject *parent) : QObject(parent), view_(view) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            const QHeaderView *header = view_->header();
            int columns = 0;
            for (int column = 0; column < header->count(); ++column)
                columns += header->isSectionHidden(column) ? 0 : header->sectionSize(column);
            const int missing = columns + view_->verticalScrollBar()->sizeHint().width() - view_->viewport()->width();
            auto *dialog = static_cast<QWidget *>(watched);
            if (missing > 0)
                dialog->resize(dialog->width() + missing, dialog->height());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTreeView *view_;
};

// Qt's own file dialog sizes its columns for "128.88 GB" and a short English date; these
// columns take the widest size and date of the system's locale instead.
void ShowSizesAndDatesWhole(QFileDialog &dialog)
{
    auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!view)
        return;  // the desktop's own dialog
    const QLocale locale = QLocale::system();
    QStringList sizes;
    // The longest number of each unit: 1023 bytes, 1023.99 KiB ...
    for (int unit = 1; unit <= 5; ++unit)
        sizes << locale.formattedDataSize((qint64(1) << (10 * unit)) - 1);
    QStringList dates;
    for (int month = 1; month <= 12; ++month)
        dates << locale.toString(QDateTime(QDate(2000, month, 28), QTime(20, 58, 58)), QLocale::ShortFormat);
    const QFontMetrics metrics(view->font());
    // Both sides of an item's text keep the style's focus margin and a pixel; a character
    // more for the widths the samples may miss.
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) +
                        metrics.averageCharWidth();
    QHeaderView *header = view->header();
    const int sizeColumn = 1, dateColumn = 3;
    header->resizeSection(sizeColumn, std::max(header->sectionSizeHint(sizeColumn), WidestText(metrics, sizes) + margins));
    header->resizeSection(dateColumn, std::max(header->sectionSizeHint(dateColumn), WidestText(metrics, dates) + margins));
    dialog.installEventFilter(new WideEnoughForColumns(view, &dialog));
}

}  // namespace

QString QtWindowDialogs::chooseOpenFile(const QString &title, const QString &filter)
{
    QFileDialog dialog(owner_, title, QString(), QtFileFilter(filter));
    dialog.setOptions(kFileDialogOptions);
    dialog.setFileMode(QFileDialog::ExistingFile);
    ShowSizesAndDatesWhole(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
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
    ShowSizesAndDatesWhole(dialog);
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
