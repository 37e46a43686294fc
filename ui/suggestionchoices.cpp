// The suggestions New from picture offers side by side: up to six, none repeating another.
#include "suggestionchoices.h"

#include <QPainter>

#include <vector>

namespace tintora {

namespace {

constexpr int kMainScreen = 0;
constexpr int kMainMenu = 1;
constexpr int kTileGap = 4;

}  // namespace

void MakeSuggestionChoices(const QImage &picture, const PreviewSettings &settings, SchemeTone tone,
                           const std::function<bool(SuggestionChoice)> &found)
{
    ColourScheme blank;
    BuildDefaultScheme(blank);
    ContrastChecker painter(settings);
    painter.setBackground(picture);
    std::vector<ColourScheme> made;
    for (int variant = 0; variant < kSuggestionChoices; ++variant) {
        std::optional<Suggestion> suggested = SuggestScheme(blank, picture, settings, tone, variant);
        if (!suggested)
            return;
        if (std::find(made.begin(), made.end(), suggested->scheme) != made.end())
            continue;
        made.push_back(suggested->scheme);
        const int side = ElementMap::kSize;
        QImage tile(2 * side + kTileGap, side, QImage::Format_RGB32);
        tile.fill(Qt::white);
        QPainter paint(&tile);
        paint.drawImage(0, 0, painter.paint(suggested->scheme, kMainScreen).image());
        paint.drawImage(side + kTileGap, 0, painter.paint(suggested->scheme, kMainMenu).image());
        paint.end();
        if (!found({variant, std::move(*suggested), tile}))
            return;
    }
}

}  // namespace tintora
