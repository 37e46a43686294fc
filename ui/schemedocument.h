// The scheme being edited, its file, its undo history and whether it changed.
#pragma once

#include "schemeedit.h"
#include "windowdialogs.h"

#include "scheme/colourscheme.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <functional>

namespace tintora {

class Clock;

// The scheme being edited, the computer file it belongs to, its editing history and
// whether it has changed since it was loaded, built or saved.
class SchemeDocument : public QObject {
    Q_OBJECT
public:
    // Name changes typed within this time of each other are one step.
    static constexpr int kTypingPauseMs = 1000;

    explicit SchemeDocument(const Clock &clock, QObject *parent = nullptr);

    ColourScheme scheme;
    // The computer file Save writes to; empty while there is none.
    QString filePath;

    bool isModified() const { return !history_.isClean(); }
    QUndoStack &history() { return history_; }

    // Called after the scheme was changed from before: a step of the history when anything
    // changed. Changes made while a step is undone or redone are not steps of their own.
    void record(EditKind kind, int element, const ColourScheme &before);
    // A suggestion from a picture, a new scheme without a file, takes the place of the one
    // edited: one step of the history, whose undo brings that scheme back with its file.
    void replaceWithSuggestion(int element, const ColourScheme &suggestion);
    // While the slider is held, its changes of one element are one step.
    void beginDrag();
    void endDrag();

    // The scheme is as it is stored now.
    void markSaved();
    // A scheme was loaded or built: no history, unmodified.
    void startFresh();

    // Before the scheme is replaced or the window closes: true when it may go. With changes,
    // asks Save / Don't save / Cancel; save runs the normal save path and says whether the
    // scheme was stored, and a failed or cancelled save keeps it.
    bool mayDiscard(WindowDialogs &dialogs, const std::function<bool()> &save);

    // Used by SchemeEdit: put a state of the history back.
    void restore(const ColourScheme &state, const SchemeEdit &edit);

signals:
    void modifiedChanged(bool modified);
    // After undo or redo: the element (or the name) that changed back.
    void restored(EditKind kind, int element);

private:
    std::int64_t mergeKey(EditKind kind);
    SaveQuestion question() const;

    const Clock &clock_;
    QUndoStack history_;
    bool restoring_ = false;
    bool dragging_ = false;
    std::int64_t nextRun_ = 1;
    std::int64_t dragRun_ = 0;
    std::int64_t typingRun_ = 0;
    QDateTime lastTyping_;
};

}  // namespace tintora
