#include "tools/cardgen/IcoFile.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>

namespace cardgen {

namespace {

constexpr int kHeaderSize = 6;
constexpr int kEntrySize = 16;
constexpr int kInfoHeaderSize = 40;
constexpr int kPaletteSize = 256;

void PutU16(QByteArray& out, std::uint32_t v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void PutU32(QByteArray& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

// Rows of a DIB are padded to whole 32-bit words.
int RowBytes(int width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

bool IsTransparent(QRgb pixel) { return qAlpha(pixel) < 128; }

// Up to 255 opaque colours; index 0 stays black for the masked pixels.
std::vector<QRgb> Palette(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (!IsTransparent(p)) ++counts[qRgb(qRed(p), qGreen(p), qBlue(p))];
        }
    }
    std::vector<std::pair<QRgb, int>> byCount(counts.begin(), counts.end());
    std::stable_sort(byCount.begin(), byCount.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<QRgb> palette{qRgb(0, 0, 0)};
    for (const auto& [colour, count] : byCount) {
        if (palette.size() == kPaletteSize) break;
        palette.push_back(colour);
    }
    return palette;
}

std::uint8_t NearestIndex(const std::vector<QRgb>& palette, QRgb pixel) {
    std::size_t best = 1;
    int bestDistance = INT32_MAX;
    for (std::size_t i = 1; i < palette.size(); ++i) {
        const int dr = qRed(pixel) - qRed(palette[i]);
        const int dg = qGreen(pixel) - qGreen(palette[i]);
        const int db = qBlue(pixel) - qBlue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) break;
        }
    }
    return static_cast<std::uint8_t>(best);
}

// BITMAPINFOHEADER, colour table, XOR bitmap and AND mask, all bottom-up.
QByteArray EncodeBitmap(const QImage& source, int bitCount) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width(), height = image.height();
    const int xorRow = RowBytes(width, bitCount), andRow = RowBytes(width, 1);

    QByteArray out;
    PutU32(out, kInfoHeaderSize);
    PutU32(out, std::uint32_t(width));
    PutU32(out, std::uint32_t(2 * height));  // the colour bitmap and the mask, stacked
    PutU16(out, 1);                          // planes
    PutU16(out, std::uint32_t(bitCount));
    PutU32(out, 0);  // BI_RGB
    PutU32(out, std::uint32_t((xorRow + andRow) * height));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);  // colours used: all 2^bitCount
    PutU32(out, 0);

    std::vector<QRgb> palette;
    if (bitCount == 8) {
        palette = Palette(image);
        for (int i = 0; i < kPaletteSize; ++i) {
            const QRgb c = i < int(palette.size()) ? palette[i] : 0;
            out.append(char(qBlue(c)));
            out.append(char(qGreen(c)));
            out.append(char(qRed(c)));
            out.append(char(0));
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < width; ++x) {
            const QRgb p = image.pixel(x, y);
            if (bitCount == 8) {
                row.append(char(IsTransparent(p) ? 0 : NearestIndex(palette, p)));
            } else if (qAlpha(p) == 0) {
                row.append(4, char(0));
            } else {
                row.append(char(qBlue(p)));
                row.append(char(qGreen(p)));
                row.append(char(qRed(p)));
                row.append(char(qAlpha(p)));
            }
        }
        row.append(xorRow - row.size(), char(0));
        out.append(row);
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(andRow, char(0));
        for (int x = 0; x < width; ++x) {
            if (IsTransparent(image.pixel(x, y))) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

}  // namespace

QByteArray EncodeIco(const std::vector<IcoImage>& images) {
    if (images.empty() || images.size() > 0xFFFF) {
        throw std::invalid_argument("an icon file holds 1 to 65535 images");
    }
    std::vector<QByteArray> bitmaps;
    for (const auto& [image, bitCount] : images) {
        if (image.isNull() || image.width() > 256 || image.height() > 256) {
            throw std::invalid_argument("an icon image is 1 to 256 pixels wide and high");
        }
        if (bitCount != 8 && bitCount != 32) {
            throw std::invalid_argument("an icon image has 8 or 32 bits per pixel");
        }
        bitmaps.push_back(EncodeBitmap(image, bitCount));
    }

    QByteArray out;
    PutU16(out, 0);
    PutU16(out, 1);  // an icon, not a cursor
    PutU16(out, std::uint32_t(images.size()));
    std::uint32_t offset = kHeaderSize + kEntrySize * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const QImage& image = images[i].image;
        out.append(char(image.width() & 0xFF));  // 256 is written as 0
        out.append(char(image.height() & 0xFF));
        out.append(char(0));  // colour count: 0 for 256 colours and more
        out.append(char(0));
        PutU16(out, 1);
        PutU16(out, std::uint32_t(images[i].bitCount));
        PutU32(out, std::uint32_t(bitmaps[i].size()));
        PutU32(out, offset);
        offset += std::uint32_t(bitmaps[i].size());
    }
    for (const auto& bitmap : bitmaps) out.append(bitmap);
    return out;
}

}  // namespace cardgen
