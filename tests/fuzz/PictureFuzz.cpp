// Feeds arbitrary bytes to the picture loader as the contents of a picture file: the same entry
// Picture::Open hands a file's bytes to (the structure check, then the decode). It needs no
// application object, so none is made.
// Besides crashes it checks what the loader promises: a file whose structure does not walk gives
// nothing, and a picture it gives is exactly as large as its header says, within the limits.
// Large allocations and hangs are caught by libFuzzer's limits (see run).
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <unistd.h>

#include "PictureBytes.h"
#include "PngStructure.h"
#include "fw/Picture.h"
#include "unit/framework/PngFiles.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

// The decoder writes its errors on damaged pixel data straight to stderr, so run closes it
// (-close_fd_mask=2); a broken promise is told on a copy taken before.
int reportFd = 2;

[[noreturn]] void Violated(const char* what) {
    dprintf(reportFd, "picture loader: %s\n", what);
    std::abort();
}

std::uint32_t BigEndian32(const std::uint8_t* at) {
    return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
           at[3];
}

void PutBigEndian32(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// Writes the right checksum into every whole chunk, so that a mutation of a chunk's contents
// gets past the structure check and reaches the decoder.
void RepairChecksums(std::uint8_t* data, std::size_t size) {
    std::size_t at = 8;  // past the signature
    while (size >= 12 && at <= size - 12) {
        const std::uint32_t length = BigEndian32(data + at);
        if (length > size - at - 12) return;
        const QByteArray typeAndData = QByteArray::fromRawData(
            reinterpret_cast<const char*>(data + at + 4), static_cast<qsizetype>(length) + 4);
        PutBigEndian32(data + at + 8 + length, fwtest::Crc32(typeAndData));
        at += 12 + std::size_t{length};
    }
}

}  // namespace

// Three mutations in four have their checksums repaired; the fourth keeps them as they are,
// so that the structure check still meets wrong ones.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (seed % 4 != 0) RepairChecksums(data, size);
    return size;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    reportFd = dup(2);
    if (reportFd < 0) reportFd = 2;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto picture = fw::detail::PictureFromPngBytes(bytes);
    if (!picture) return 0;

    if (!fw::detail::IsWalkablePng(bytes)) Violated("a file that does not walk gave a picture");
    const std::int64_t width = picture->Width(), height = picture->Height();
    if (width < 1 || height < 1) Violated("a picture without pixels");
    if (width > fw::Picture::kMaxSide || height > fw::Picture::kMaxSide ||
        width * height > fw::Picture::kMaxPixels)
        Violated("a picture beyond the limits");
    // A walkable file begins with its header: the signature, IHDR's length and type, then
    // its width and height.
    if (width != BigEndian32(data + 16) || height != BigEndian32(data + 20))
        Violated("a picture of another size than its header says");
    return 0;
}
