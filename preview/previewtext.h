#pragma once

#include "primitives.h"

#include <QHash>
#include <QImage>
#include <QString>

#include <memory>
#include <vector>

namespace tintora {

// The preview's texts in the preview font, with a clear background. Each text is rendered
// by QPainter once for the whole program and its pixels are kept, so repaints only copy
// them; what lands on the canvas is exactly what QPainter draws there.
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
    using Key = QPair<int, QString>;
    const Rendered &rendered(const QString &text, int pixelSize);
    // From the texts every preview shares, rendering it when none has drawn it yet.
    static std::shared_ptr<const Rendered> shared(const Key &key, int fontGeneration);

    // The texts this preview drew, looked up without the shared ones' lock.
    QHash<Key, std::shared_ptr<const Rendered>> cache_;
    int fontGeneration_ = -1;  // of the face the kept texts were drawn in
};

}  // namespace tintora
