// The suggestions New from picture offers side by side: up to six, none repeating another.
#pragma once

#include "design/suggest.h"

#include <QImage>

#include <functional>

namespace tintora {

constexpr int kSuggestionChoices = 6;

struct SuggestionChoice {
    int variant = 0;
    Suggestion suggestion;
    // The main screen and the main menu of the scheme over its picture, side by side at 1x.
    QImage tile;
};

// Variants 0 to kSuggestionChoices - 1 made on the default scheme over picture (128 x 128),
// each whose scheme repeats none before it handed to found as soon as it is made, so that a
// caller can show them as they come. Stops early when found returns false. Runs on any thread.
void MakeSuggestionChoices(const QImage &picture, const PreviewSettings &settings, SchemeTone tone,
                           const std::function<bool(SuggestionChoice)> &found);

}  // namespace tintora
