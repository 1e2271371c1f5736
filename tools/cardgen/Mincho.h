// The mincho face that the cards and the icon are written in.
#pragma once

#include <QFont>
#include <QString>

namespace cardgen {

// The installed mincho face at the given pixel size, never a substitute: throws
// std::runtime_error naming the missing face and its package when it is not installed,
// or when it lacks a glyph of `text`.
QFont MinchoFont(int pixelSize, const QString& text);

}  // namespace cardgen
