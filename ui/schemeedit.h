// One undo step: a scheme before and after one change.
#pragma once

#include "scheme/colourscheme.h"

#include <QString>
#include <QUndoCommand>

#include <cstdint>

namespace tintora {

class SchemeDocument;

enum class EditKind { Colour, Transparency, Name, Suggestion };

// One step of the editing history: the scheme before and after a change of one element's
// colour or transparency (its linked partner included), of the name, or of every colour at
// once by a suggestion from a picture. A suggestion is a new scheme without a file, so its
// step also takes the document from its file to none and back.
class SchemeEdit : public QUndoCommand {
public:
    // The change is already made when the step is recorded; the first redo does nothing.
    // Steps with the same kind, element and a mergeKey other than 0 become one. fileBefore is
    // the file a suggestion's scheme took the place of.
    SchemeEdit(SchemeDocument &document, EditKind kind, int element, const ColourScheme &before,
               const ColourScheme &after, std::int64_t mergeKey, const QString &fileBefore = {});

    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override;
    void undo() override;
    void redo() override;

    EditKind kind() const { return kind_; }
    int element() const { return element_; }
    // "colour of Main text", "цвет «Основной текст»".
    QString describe() const;

private:
    SchemeDocument &document_;
    EditKind kind_;
    int element_;
    ColourScheme before_;
    ColourScheme after_;
    std::int64_t mergeKey_;
    // A suggestion's files, each as it was when its side was last left, so that a file either
    // scheme was saved to meanwhile is kept.
    QString fileBefore_;
    QString fileAfter_;
    bool applied_ = true;
};

}  // namespace tintora
