#pragma once

#include "primitives.h"

#include <QHash>
#include <QImage>
#include <QString>

#include <vector>

namespace tintora {

// The preview's texts in the preview font, with a clear background. Each text is rendered
// by QPainter once and its pixels are kept, so repaints only copy them; what lands on the
// canvas is exactly what QPainter draws there.
class PreviewText {
public:
    // (x, y) is the top-left corner of the character cell; the baseline lies at y + ascent.
    void draw(QImage &canvas, int x, int y, const QString &text, const Ink &ink, int pixelSize);
    int width(const QString &text, int pixelSize);

private:
    struct Rendered {
        std::vector<std::pair<int, int>> pixels;  // (dx, dy) from the cell's top-left
        int width = 0;
    };
    const Rendered &rendered(const QString &text, int pixelSize);

    QHash<QPair<int, QString>, Rendered> cache_;
    int fontGeneration_ = -1;  // of the face the kept texts were drawn in
};

}  // namespace tintora
