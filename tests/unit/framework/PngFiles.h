#pragma once

// PNG files made byte by byte, well formed or damaged on purpose.

#include <QByteArray>

#include <cstdint>

namespace fwtest {

inline std::uint32_t Crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xffffffffu;
    for (char ch : bytes) {
        crc ^= static_cast<std::uint8_t>(ch);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xffffffffu;
}

inline QByteArray BigEndian(std::uint32_t v) {
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((v >> (24 - 8 * i)) & 0xff);
    return out;
}

inline QByteArray Chunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type, 4) + data;
    return BigEndian(static_cast<std::uint32_t>(data.size())) + body + BigEndian(Crc32(body));
}

inline const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

// The IHDR data: size, bit depth, colour type (6 is RGBA), deflate, no filter, interlace.
inline QByteArray Header(std::uint32_t width, std::uint32_t height, std::uint8_t depth = 8,
                         std::uint8_t colourType = 6, std::uint8_t interlace = 0) {
    return BigEndian(width) + BigEndian(height) + static_cast<char>(depth) +
           static_cast<char>(colourType) + QByteArray(2, '\0') + static_cast<char>(interlace);
}

// The IDAT data of `rows` rows of `rowBytes` zero bytes, each behind its filter byte 0.
inline QByteArray ZeroRows(std::uint64_t rows, std::uint64_t rowBytes) {
    const QByteArray raw(static_cast<qsizetype>(rows * (1 + rowBytes)), '\0');
    return qCompress(raw).mid(4);  // qCompress puts a length before the zlib stream
}

// A PNG (8-bit RGBA) whose header claims width x height, with `rows` rows of pixel data.
inline QByteArray PngClaiming(std::uint32_t width, std::uint32_t height, std::uint32_t rows) {
    return kPngSignature + Chunk("IHDR", Header(width, height)) +
           Chunk("IDAT", ZeroRows(rows, 4 * std::uint64_t{width})) + Chunk("IEND", {});
}

}  // namespace fwtest
