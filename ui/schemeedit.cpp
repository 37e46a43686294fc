// One undo step: a scheme before and after one change.
#include "schemeedit.h"

#include "schemedocument.h"
#include "wording.h"

#include <QCoreApplication>

#include <utility>

namespace tintora {

SchemeEdit::SchemeEdit(SchemeDocument &document, EditKind kind, int element,
                       const ColourScheme &before, const ColourScheme &after,
                       std::int64_t mergeKey, const QString &fileBefore)
    : document_(document),
      kind_(kind),
      element_(element),
      before_(before),
      after_(after),
      mergeKey_(mergeKey),
      fileBefore_(fileBefore)
{
}

bool SchemeEdit::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const SchemeEdit *>(other);
    if (mergeKey_ == 0 || next->mergeKey_ != mergeKey_ || next->kind_ != kind_
        || next->element_ != element_)
        return false;
    after_ = next->after_;
    // A slider dragged back to where it started leaves no step behind.
    setObsolete(after_ == before_);
    return true;
}

void SchemeEdit::undo()
{
    applied_ = false;
    if (kind_ == EditKind::Suggestion)
        fileAfter_ = std::exchange(document_.filePath, fileBefore_);
    document_.restore(before_, *this);
}

void SchemeEdit::redo()
{
    if (applied_)
        return;
    applied_ = true;
    if (kind_ == EditKind::Suggestion)
        fileBefore_ = std::exchange(document_.filePath, fileAfter_);
    document_.restore(after_, *this);
}

QString SchemeEdit::describe() const
{
    switch (kind_) {
    case EditKind::Colour:
        return QCoreApplication::translate("tintora::SchemeEdit", "colour of %1").arg(ElementName(element_));
    case EditKind::Transparency:
        return QCoreApplication::translate("tintora::SchemeEdit", "transparency of %1")
            .arg(ElementName(element_));
    case EditKind::Suggestion:
        return QCoreApplication::translate("tintora::SchemeEdit", "scheme from picture");
    case EditKind::Name:
        break;
    }
    return QCoreApplication::translate("tintora::SchemeEdit", "colour style name");
}

}  // namespace tintora
