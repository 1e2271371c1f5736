#include "tools/cardgen/IconPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "tools/cardgen/CardStyle.h"
#include "tools/cardgen/Mincho.h"

namespace cardgen {

QImage DrawIcon(int size) {
    const QString glyph = QStringLiteral("う");
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);

    // A card of the pick-up cards' proportions, on whole pixels so its edges stay opaque.
    const int margin = size / 16;
    const int height = size - 2 * margin;
    const int width = std::min(height, static_cast<int>(std::lround(height * 0.78)));
    const int border = std::max(1, size / 16);
    const QRect card((size - width) / 2, margin, width, height);
    const QRect face = card.adjusted(border, border, -border, -border);

    QPainter painter(&image);
    painter.fillRect(card, QColor::fromRgba(kGreen));
    painter.fillRect(face, QColor::fromRgba(kIvory));

    // The character's ink is narrower than its em, so the em may overhang the face a little.
    QFont font = MinchoFont(std::max(1, static_cast<int>(std::lround(face.width() * 1.25))), glyph);
    // Fitting the outline to the pixel grid keeps the smallest images crisp.
    if (size <= 32) font.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetricsF metrics(font);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(face);
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(kInk));
    // A lone character looks centred when its ink is, not its em box.
    const QRectF ink = metrics.tightBoundingRect(glyph);
    const QPointF centre = QRectF(face).center();
    painter.drawText(centre - ink.center(), glyph);
    return image;
}

}  // namespace cardgen
