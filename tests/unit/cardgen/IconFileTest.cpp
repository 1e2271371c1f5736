// The icon file: its directory and bitmaps read byte by byte, its images decoded by Qt's own
// icon reader and compared with the PNG icons drawn from the same picture.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "tools/cardgen/IcoFile.h"

namespace {

using cardgen::EncodeIco;
using cardgen::IcoImage;

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray IconFile() { return ReadFile(QStringLiteral(UKISOMI_TEST_ICON_DIR "/ukisomi.ico")); }

QImage PngIcon(int size) {
    return QImage(QStringLiteral(UKISOMI_TEST_ICON_DIR "/ukisomi-%1.png").arg(size))
        .convertToFormat(QImage::Format_ARGB32);
}

std::uint32_t U16(const QByteArray& b, qsizetype at) {
    return std::uint8_t(b[at]) | std::uint32_t(std::uint8_t(b[at + 1])) << 8;
}

std::uint32_t U32(const QByteArray& b, qsizetype at) { return U16(b, at) | U16(b, at + 2) << 16; }

std::vector<QImage> Decode(const QByteArray& ico) {
    QBuffer buffer;
    buffer.setData(ico);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    std::vector<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i)) break;
        images.push_back(reader.read().convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

int RowBytes(int width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

struct Entry {
    int size;
    int bitCount;
};
const Entry kEntries[] = {{48, 8}, {32, 8}, {16, 8}, {256, 32}, {48, 32}, {32, 32}, {16, 32}};

TEST(IconFile, DirectoryListsSevenBitmapImagesInOrder) {
    const QByteArray ico = IconFile();
    ASSERT_GE(ico.size(), 6 + 7 * 16);
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u);  // icon, not cursor
    ASSERT_EQ(U16(ico, 4), 7u);

    std::uint32_t expectedOffset = 6 + 7 * 16;
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const auto [size, bitCount] = kEntries[i];
        const qsizetype entry = 6 + 16 * i;
        EXPECT_EQ(std::uint8_t(ico[entry]), size & 0xFF);  // 256 is stored as 0
        EXPECT_EQ(std::uint8_t(ico[entry + 1]), size & 0xFF);
        EXPECT_EQ(U16(ico, entry + 4), 1u);
        EXPECT_EQ(U16(ico, entry + 6), std::uint32_t(bitCount));
        const std::uint32_t bytes = U32(ico, entry + 8), offset = U32(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        ASSERT_LE(std::uint64_t(offset) + bytes, std::uint64_t(ico.size()));
        expectedOffset = offset + bytes;

        // A DIB with the mask below the colours, never an embedded PNG.
        EXPECT_FALSE(ico.mid(offset, 8).startsWith("\x89PNG"));
        EXPECT_EQ(U32(ico, offset), 40u);
        EXPECT_EQ(U32(ico, offset + 4), std::uint32_t(size));
        EXPECT_EQ(U32(ico, offset + 8), std::uint32_t(2 * size));
        EXPECT_EQ(U16(ico, offset + 12), 1u);
        EXPECT_EQ(U16(ico, offset + 14), std::uint32_t(bitCount));
        EXPECT_EQ(U32(ico, offset + 16), 0u);  // uncompressed
        const std::uint32_t palette = bitCount == 8 ? 256 * 4 : 0;
        const std::uint32_t pixels = (RowBytes(size, bitCount) + RowBytes(size, 1)) * size;
        EXPECT_EQ(bytes, 40 + palette + pixels);
    }
    EXPECT_EQ(expectedOffset, std::uint32_t(ico.size()));
}

// Every image shows the same picture as the PNG icon of its size: the 32-bit ones pixel for
// pixel, the 8-bit ones with the same colours and with the mask where the PNG is clear.
TEST(IconFile, ImagesMatchThePngIcons) {
    const auto images = Decode(IconFile());
    ASSERT_EQ(images.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const auto [size, bitCount] = kEntries[i];
        const QImage png = PngIcon(size);
        ASSERT_EQ(png.size(), QSize(size, size));
        ASSERT_EQ(images[i].size(), png.size());
        int clear = 0, opaque = 0, differ = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb want = png.pixel(x, y), got = images[i].pixel(x, y);
                if (qAlpha(want) == 0) {
                    ++clear;
                    differ += qAlpha(got) != 0;
                } else {
                    ++opaque;
                    differ += got != want;
                }
            }
        }
        EXPECT_EQ(differ, 0);
        EXPECT_GT(clear, 0);
        EXPECT_GT(opaque, size * size / 2);
    }
}

TEST(EncodeIco, MasksPixelsBelowHalfAlpha) {
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 100));
    image.setPixel(2, 0, qRgba(0, 0, 255, 200));
    image.setPixel(3, 0, qRgb(0, 128, 0));
    const auto decoded = Decode(EncodeIco({{image, 8}, {image, 32}}));
    ASSERT_EQ(decoded.size(), 2u);
    const QImage& indexed = decoded[0];
    ASSERT_EQ(indexed.size(), image.size());
    EXPECT_EQ(qAlpha(indexed.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(indexed.pixel(1, 0)), 0);
    EXPECT_EQ(indexed.pixel(2, 0), qRgb(0, 0, 255));  // 8 bits keep no partial alpha
    EXPECT_EQ(indexed.pixel(3, 0), qRgb(0, 128, 0));
    const QImage& full = decoded[1];
    ASSERT_EQ(full.size(), image.size());
    for (int x = 0; x < 4; ++x) EXPECT_EQ(full.pixel(x, 0), image.pixel(x, 0)) << x;
}

TEST(EncodeIco, ColoursBeyondThePaletteTakeTheNearestFrequentOne) {
    // 255 greys that each fill two pixels take the palette; 45 colours of one pixel each,
    // every one a step from a grey, must fall back to that grey.
    QImage image(255, 3, QImage::Format_ARGB32);
    image.fill(qRgb(0, 0, 0));
    for (int x = 0; x < 255; ++x) {
        image.setPixel(x, 0, qRgb(x, x, x));
        image.setPixel(x, 1, qRgb(x, x, x));
    }
    for (int x = 0; x < 45; ++x) image.setPixel(x, 2, qRgb(5 * x, 5 * x, 5 * x + 1));
    const auto decoded = Decode(EncodeIco({{image, 8}}));
    ASSERT_EQ(decoded.size(), 1u);
    const QImage& got = decoded[0];
    ASSERT_EQ(got.size(), image.size());
    for (int x = 0; x < 255; ++x) {
        ASSERT_EQ(got.pixel(x, 0), qRgb(x, x, x)) << x;
        ASSERT_EQ(got.pixel(x, 1), qRgb(x, x, x)) << x;
    }
    for (int x = 0; x < 45; ++x) EXPECT_EQ(got.pixel(x, 2), qRgb(5 * x, 5 * x, 5 * x)) << x;
}

TEST(EncodeIco, RefusesWhatAnIconCannotHold) {
    const QImage ok(16, 16, QImage::Format_ARGB32);
    EXPECT_THROW(EncodeIco({}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({{QImage(), 32}}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({{QImage(257, 16, QImage::Format_ARGB32), 32}}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({{ok, 24}}), std::invalid_argument);
    EXPECT_FALSE(EncodeIco({{ok, 32}, {ok, 8}}).isEmpty());
}

}  // namespace
