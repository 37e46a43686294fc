// The message boxes and file, colour and picture dialogs, done with Qt.
#pragma once

#include "windowdialogs.h"

#include <QPointer>
#include <QWidget>

namespace tintora {

// "Text(*.ext)|*.ext|All(*.*)|*.*" into Qt's "Text(*.ext) (*.ext);;All(*.*) (*.*)".
QString QtFileFilter(const QString &filter);
// The extension of the filter's first pattern, "sch" for "Colour styles(*.sch)|*.sch";
// empty when that pattern is not a plain "*.ext".
QString DefaultSuffix(const QString &filter);

// The desktop's own boxes and dialogs, titled with the application's title.
class QtWindowDialogs final : public WindowDialogs {
public:
    void setOwner(QWidget *owner) { owner_ = owner; }

    void inform(const QString &text) override;
    void reportError(const QString &text) override;
    bool askYesNo(const QString &text) override;
    QString chooseOpenFile(const QString &title, const QString &filter) override;
    QString chooseSaveFile(const QString &title, const QString &filter,
                           const QString &initialName) override;
    std::optional<QColor> chooseColour(const QColor &initial, const QColor &current) override;
    QString choosePictureFile(const QString &title, const QString &filter) override;
    void openUrl(const QUrl &url) override;
    SaveAnswer askToSave(const SaveQuestion &question) override;
    std::optional<QString> askText(const QString &title, const QString &label,
                                   const QString &text) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace tintora
