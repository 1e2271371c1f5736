#include "tools/cardgen/CardPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/PoemData.h"
#include "tools/cardgen/CardStyle.h"
#include "tools/cardgen/Mincho.h"

namespace cardgen {

namespace {

QImage BlankCard(QRgb colour) {
    QImage image(kCardWidth, kCardHeight, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

}  // namespace

QImage DrawCard(std::string_view lowerPhrase) {
    const auto characters = game::SplitCharacters(lowerPhrase);
    const int count = static_cast<int>(characters.size());
    if (count == 0 || count > kMaxCharacters) {
        throw std::invalid_argument("a card holds 1 to " + std::to_string(kMaxCharacters) +
                                    " characters, not " + std::to_string(count) + ": \"" +
                                    std::string(lowerPhrase) + "\"");
    }
    const QFont font = MinchoFont(
        kGlyphSize,
        QString::fromUtf8(lowerPhrase.data(), static_cast<qsizetype>(lowerPhrase.size())));
    const QFontMetricsF metrics(font);

    QImage image = BlankCard(kGreen);
    QPainter painter(&image);
    painter.fillRect(kBorder, kBorder, kCardWidth - 2 * kBorder, kCardHeight - 2 * kBorder,
                     QColor::fromRgba(kIvory));
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(kInk));

    for (int column = 0; column < kColumns; ++column) {
        const int first = column * kColumnLength;
        const int last = column == kColumns - 1 ? count : std::min(count, first + kColumnLength);
        if (first >= last) break;
        const double pitch = double(kBlockHeight) / std::max(kColumnLength, last - first);
        // The first column is the rightmost.
        const double centreX = kBlockLeft + kBlockWidth - (column + 0.5) * kColumnPitch;
        for (int i = first; i < last; ++i) {
            const QString glyph = QString::fromStdString(characters[i]);
            const double centreY = kBlockTop + (i - first + 0.5) * pitch;
            // Centre the glyph's em box (advance by ascent + descent) on its slot.
            const QPointF baseline(centreX - metrics.horizontalAdvance(glyph) / 2,
                                   centreY + (metrics.ascent() - metrics.descent()) / 2);
            painter.drawText(baseline, glyph);
        }
    }
    return image;
}

QImage DrawGreen() { return BlankCard(kGreen); }

}  // namespace cardgen
