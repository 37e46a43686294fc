#include "previewtext.h"

#include "previewfont.h"
#include <QFontMetrics>
#include <QPainter>

#include <mutex>

namespace tintora {

void PreviewText::draw(QImage &canvas, int x, int y, const QString &text, const Ink &ink,
                       int pixelSize)
{
    const int width = canvas.width();
    const int height = canvas.height();
    const qsizetype stride = canvas.bytesPerLine();
    std::uint8_t *const bits = canvas.bits();
    const Colour colour = ink.colour;
    const Mark &mark = ink.mark;
    std::uint8_t *const cells = mark.cellsFor(width, height);
    for (const auto &[dx, dy] : rendered(text, pixelSize).pixels) {
        const int px = x + dx;
        const int py = y + dy;
        // One unsigned compare per axis also turns away the negative ones.
        if (unsigned(px) >= unsigned(width) || unsigned(py) >= unsigned(height))
            continue;
        std::uint8_t *p = bits + py * stride + px * 3;
        p[0] = colour & 0xFF;
        p[1] = (colour >> 8) & 0xFF;
        p[2] = (colour >> 16) & 0xFF;
        if (cells)
            cells[py * ElementMap::kSize + px] = mark.at(py);
    }
}

int PreviewText::width(const QString &text, int pixelSize)
{
    return rendered(text, pixelSize).width;
}

const PreviewText::Rendered &PreviewText::rendered(const QString &text, int pixelSize)
{
    if (fontGeneration_ != PreviewFontGeneration()) {
        cache_.clear();
        fontGeneration_ = PreviewFontGeneration();
    }
    const Key key(pixelSize, text);
    auto found = cache_.constFind(key);
    if (found == cache_.constEnd())
        found = cache_.insert(key, shared(key, fontGeneration_));
    return **found;
}

std::shared_ptr<const PreviewText::Rendered> PreviewText::shared(const Key &key, int fontGeneration)
{
    // The check paints each phone state with a preview of its own, at once: their texts
    // are the same, rendered once under the lock rather than by each.
    static std::mutex mutex;
    static int generation = -1;
    static QHash<Key, std::shared_ptr<const Rendered>> texts;
    const std::lock_guard lock(mutex);
    if (generation != fontGeneration) {
        texts.clear();
        generation = fontGeneration;
    }
    auto found = texts.constFind(key);
    if (found != texts.constEnd())
        return *found;

    const auto &[pixelSize, text] = key;
    const QFont font = PreviewFont(pixelSize);
    const QFontMetrics metrics(font);
    auto result = std::make_shared<Rendered>();
    result->width = metrics.horizontalAdvance(text);
    // Room for glyphs that reach outside their cell (overhangs, accents).
    const int margin = 2 * pixelSize;
    QImage scratch(result->width + 2 * margin, metrics.height() + 2 * margin,
                   QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    {
        QPainter painter(&scratch);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(margin, margin + metrics.ascent()), text);
    }
    for (int y = 0; y < scratch.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (qAlpha(row[x]) != 0)
                result->pixels.emplace_back(x - margin, y - margin);
        }
    }
    return *texts.insert(key, std::move(result));
}

}  // namespace tintora
