#include "tools/cardgen/Mincho.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <stdexcept>

#include "tools/cardgen/CardStyle.h"

namespace cardgen {

QFont MinchoFont(int pixelSize, const QString& text) {
    const QString family = QString::fromLatin1(kMinchoFamily);
    const auto missing = [&](const QString& what) {
        return std::runtime_error(
            QStringLiteral("the mincho face \"%1\" %2; install the Debian package "
                           "fonts-ipafont-mincho (no other face is used in its place)")
                .arg(family, what)
                .toStdString());
    };
    if (!QFontDatabase::families().contains(family)) throw missing("is not installed");

    QFont font(family);
    font.setPixelSize(pixelSize);
    // Without merging, a character the face lacks stays missing instead of borrowing a glyph.
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    // The face's hairlines fade on the game's small card faces; a heavier stroke reads there.
    font.setBold(true);
    if (QFontInfo(font).family() != family) throw missing("cannot be loaded");

    const QFontMetrics metrics(font);
    for (const char32_t c : text.toStdU32String()) {
        if (!metrics.inFontUcs4(c)) {
            throw missing(QStringLiteral("has no glyph for U+%1")
                              .arg(static_cast<unsigned>(c), 4, 16, QLatin1Char('0')));
        }
    }
    return font;
}

}  // namespace cardgen
