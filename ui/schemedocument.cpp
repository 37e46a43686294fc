// The scheme being edited, its file, its undo history and whether it changed.
#include "schemedocument.h"

#include "preview/clock.h"
#include "scheme/codepage.h"

#include <utility>

namespace tintora {


SchemeDocument::SchemeDocument(const Clock &clock, QObject *parent)
    : QObject(parent), clock_(clock)
{
    connect(&history_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

void SchemeDocument::record(EditKind kind, int element, const ColourScheme &before)
{
    if (restoring_ || before == scheme)
        return;
    history_.push(new SchemeEdit(*this, kind, element, before, scheme, mergeKey(kind)));
}

void SchemeDocument::replaceWithSuggestion(int element, const ColourScheme &suggestion)
{
    const ColourScheme before = std::exchange(scheme, suggestion);
    const QString fileBefore = std::exchange(filePath, QString());
    if (before == scheme && fileBefore.isEmpty())
        return;
    history_.push(new SchemeEdit(*this, EditKind::Suggestion, element, before, scheme,
                                 mergeKey(EditKind::Suggestion), fileBefore));
}

std::int64_t SchemeDocument::mergeKey(EditKind kind)
{
    switch (kind) {
    case EditKind::Colour:
    case EditKind::Suggestion:
        return 0;
    case EditKind::Transparency:
        return dragging_ ? dragRun_ : 0;
    case EditKind::Name:
        break;
    }
    const QDateTime now = clock_.now();
    if (typingRun_ == 0 || !lastTyping_.isValid() || lastTyping_.msecsTo(now) > kTypingPauseMs
        || lastTyping_.msecsTo(now) < 0)
        typingRun_ = nextRun_++;
    lastTyping_ = now;
    return typingRun_;
}

void SchemeDocument::beginDrag()
{
    dragging_ = true;
    dragRun_ = nextRun_++;
}

void SchemeDocument::endDrag()
{
    dragging_ = false;
}

void SchemeDocument::markSaved()
{
    history_.setClean();
    typingRun_ = 0;
}

void SchemeDocument::startFresh()
{
    history_.clear();
    typingRun_ = 0;
}

void SchemeDocument::restore(const ColourScheme &state, const SchemeEdit &edit)
{
    // Whatever is typed next is a step of its own.
    typingRun_ = 0;
    restoring_ = true;
    scheme = state;
    emit restored(edit.kind(), edit.element());
    restoring_ = false;
}

SaveQuestion SchemeDocument::question() const
{
    const QString name = FromCp1251(scheme.name);
    return {name.isEmpty() ? tr("Save the changes to the colour style?")
                           : tr("Save the changes to the colour style \"%1\"?").arg(name),
            tr("&Save"), tr("Do&n't save"), tr("&Cancel")};
}

bool SchemeDocument::mayDiscard(WindowDialogs &dialogs, const std::function<bool()> &save)
{
    if (!isModified())
        return true;
    switch (dialogs.askToSave(question())) {
    case SaveAnswer::Save:
        return save();
    case SaveAnswer::DontSave:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

}  // namespace tintora
