// A picture that fails to load reports nothing: not on stderr, where the PNG decoder writes its
// errors itself, and not through Qt's messages, where it sends its warnings. Every other
// message, of this thread before and after a load and of other threads during one, still goes
// through.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QString>
#include <QtGlobal>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "framework/src/qt/QuietMessages.h"
#include "fw/Picture.h"
#include "unit/framework/FrameworkTest.h"
#include "unit/framework/PngFiles.h"

namespace fwtest {
namespace {

// Qt's messages, from whichever thread, while one is alive; the handler before is put back.
class CapturedMessages {
public:
    CapturedMessages() { previous_ = qInstallMessageHandler(Capture); }
    ~CapturedMessages() { qInstallMessageHandler(previous_); }
    static std::vector<std::string> Take() {
        std::lock_guard lock(mutex_);
        return std::exchange(lines_, {});
    }
    static void Capture(QtMsgType, const QMessageLogContext&, const QString& message) {
        std::lock_guard lock(mutex_);
        lines_.push_back(message.toStdString());
    }

private:
    QtMessageHandler previous_;
    static inline std::mutex mutex_;
    static inline std::vector<std::string> lines_;
};

// What the process writes on file descriptor 2 while one is alive.
class CapturedStderr {
public:
    CapturedStderr() {
        std::fflush(stderr);
        saved_ = dup(2);
        file_ = std::tmpfile();
        dup2(fileno(file_), 2);
    }
    ~CapturedStderr() {
        Restore();
        std::fclose(file_);
    }
    std::string Text() {
        Restore();
        std::string text;
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;) text += static_cast<char>(c);
        return text;
    }

private:
    void Restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        saved_ = -1;
    }
    int saved_ = -1;
    std::FILE* file_ = nullptr;
};

// Everything a plain read of the file reports, on stderr and through Qt's messages.
std::string WhatAPlainReadReports(const std::string& path) {
    CapturedMessages messages;
    CapturedStderr err;
    QImageReader reader(QString::fromStdString(path), "png");
    reader.setDecideFormatFromContent(false);
    QImage image;
    reader.read(&image);
    std::string reported = err.Text();
    for (const std::string& line : CapturedMessages::Take()) reported += line + "\n";
    return reported;
}

// A 3 x 2 RGBA picture, with `between` after its header.
QByteArray Rgba(const QByteArray& between = {}) {
    return kPngSignature + Chunk("IHDR", Header(3, 2)) + between + Chunk("IDAT", ZeroRows(2, 12)) +
           Chunk("IEND", {});
}

QByteArray Flipped(QByteArray bytes, qsizetype at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    return bytes;
}

// A picture that loads, with a comment chunk whose checksum is wrong: the decoder skips it
// with a warning through Qt's messages.
QByteArray RgbaWithADamagedComment() {
    return Rgba(Flipped(Chunk("tEXt", QByteArray("Comment\0x", 9)), 20));
}

class PictureFaultTest : public FrameworkTest {
protected:
    PictureFolder folder_;
};

TEST_F(PictureFaultTest, ADamagedFileReportsNothing) {
    const QByteArray whole = PngBytes(Solid(70, 160, 0xff00a000u));
    const QByteArray rgba = Rgba();
    const qsizetype idat = rgba.indexOf("IDAT");
    QByteArray extraIhdr = rgba;
    extraIhdr.insert(idat - 4, Chunk("IHDR", Header(3, 2)));
    struct Case {
        const char* label;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"cut off in the middle", whole.left(whole.size() / 2)},
        {"cut off in the header", whole.left(20)},
        {"no end chunk", whole.left(whole.size() - 12)},
        {"a bit flipped in the header", Flipped(rgba, 20)},
        {"a bit flipped in the pixel data", Flipped(rgba, idat + 6)},
        {"zero width", kPngSignature + Chunk("IHDR", Header(0, 2)) + Chunk("IDAT", ZeroRows(2, 0)) +
                           Chunk("IEND", {})},
        {"bit depth 3", kPngSignature + Chunk("IHDR", Header(3, 2, 3)) +
                            Chunk("IDAT", ZeroRows(2, 12)) + Chunk("IEND", {})},
        {"palette colours without a palette", kPngSignature + Chunk("IHDR", Header(3, 2, 8, 3)) +
                                                  Chunk("IDAT", ZeroRows(2, 3)) +
                                                  Chunk("IEND", {})},
        {"an unknown critical chunk", Rgba(Chunk("ABCD", "x"))},
        {"a second header", extraIhdr},
        {"a chunk type that is no name", Rgba(Chunk("ab1d", "x"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string path = folder_.WriteBytes("karuta5.png", c.bytes);
        ASSERT_NE(WhatAPlainReadReports(path), "") << "a plain read reports nothing: no proof";
        CapturedMessages messages;
        CapturedStderr err;
        EXPECT_EQ(fw::Picture::Open(path), nullptr);
        EXPECT_EQ(err.Text(), "");
        EXPECT_TRUE(CapturedMessages::Take().empty());
    }
}

// Pictures of every colour type, depth and interlace load, with or without comment chunks.
TEST_F(PictureFaultTest, WellFormedFilesOfEveryKindStillLoad) {
    struct Case {
        const char* label;
        QByteArray bytes;
    };
    const QByteArray palette = Chunk("PLTE", QByteArray(6, '\x40'));
    const Case cases[] = {
        {"RGBA, 8 bits", Rgba()},
        {"RGBA, 16 bits", kPngSignature + Chunk("IHDR", Header(3, 2, 16, 6)) +
                              Chunk("IDAT", ZeroRows(2, 24)) + Chunk("IEND", {})},
        {"grey, 1 bit", kPngSignature + Chunk("IHDR", Header(3, 2, 1, 0)) +
                            Chunk("IDAT", ZeroRows(2, 1)) + Chunk("IEND", {})},
        {"grey and alpha, 16 bits", kPngSignature + Chunk("IHDR", Header(3, 2, 16, 4)) +
                                        Chunk("IDAT", ZeroRows(2, 12)) + Chunk("IEND", {})},
        {"RGB, 8 bits, with a palette hint", kPngSignature + Chunk("IHDR", Header(3, 2, 8, 2)) +
                                                 palette + Chunk("IDAT", ZeroRows(2, 9)) +
                                                 Chunk("IEND", {})},
        {"palette, 4 bits", kPngSignature + Chunk("IHDR", Header(3, 2, 4, 3)) + palette +
                                Chunk("IDAT", ZeroRows(2, 2)) + Chunk("IEND", {})},
        // The Adam7 passes of 3 x 2 pixels: 1 x 1, 1 x 1, 1 x 1 and 3 x 1 (passes 1, 4, 6, 7).
        {"interlaced", kPngSignature + Chunk("IHDR", Header(3, 2, 8, 6, 1)) +
                           Chunk("IDAT", qCompress(QByteArray(5 + 5 + 5 + 13, '\0')).mid(4)) +
                           Chunk("IEND", {})},
        {"a comment chunk", Rgba(Chunk("tEXt", QByteArray("Comment\0x", 9)))},
        {"pixel data in two chunks", kPngSignature + Chunk("IHDR", Header(3, 2)) +
                                         Chunk("IDAT", ZeroRows(2, 12).left(5)) +
                                         Chunk("IDAT", ZeroRows(2, 12).mid(5)) + Chunk("IEND", {})},
        {"a comment chunk with a wrong checksum", RgbaWithADamagedComment()},
        {"written by Qt", PngBytes(Solid(70, 160, 0xff00a000u))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto picture = fw::Picture::Open(folder_.WriteBytes("karuta1.png", c.bytes));
        ASSERT_NE(picture, nullptr);
        EXPECT_GT(picture->Width(), 0);
    }
}

// The decoder's warning about a picture that loads is dropped; the messages around the load go
// through, and the handler in place before is in place after.
TEST_F(PictureFaultTest, MessagesAroundALoadGoThrough) {
    const std::string path = folder_.WriteBytes("karuta1.png", RgbaWithADamagedComment());
    ASSERT_NE(WhatAPlainReadReports(path).find("CRC error"), std::string::npos);
    CapturedMessages messages;
    qWarning("before the load");
    EXPECT_NE(fw::Picture::Open(path), nullptr);
    qWarning("after the load");
    EXPECT_EQ(CapturedMessages::Take(),
              (std::vector<std::string>{"before the load", "after the load"}));
    EXPECT_EQ(qInstallMessageHandler(CapturedMessages::Capture), &CapturedMessages::Capture);
}

// While a thread decodes, what it reports is dropped and what other threads report is not.
TEST_F(PictureFaultTest, OnlyTheDecodingThreadIsKeptQuiet) {
    CapturedMessages messages;
    {
        const fw::detail::QuietMessages quiet;
        qWarning("the decoding thread");
        std::thread([] { qWarning("another thread"); }).join();
    }
    qWarning("the same thread after the decode");
    EXPECT_EQ(CapturedMessages::Take(),
              (std::vector<std::string>{"another thread", "the same thread after the decode"}));
}

// Loads on several threads at once, while one more thread reports: every report arrives, in
// order, no decoder warning does, and the handler in place before is in place after.
TEST_F(PictureFaultTest, LoadsOnSeveralThreadsAtOnceLetOtherReportsThrough) {
    const std::string path = folder_.WriteBytes("karuta1.png", RgbaWithADamagedComment());
    CapturedMessages messages;
    std::atomic<bool> loading{true};
    int reports = 0;
    std::thread reporter([&] {
        while (loading.load() && reports < 100000) qWarning("report %d", reports++);
    });
    std::atomic<int> loaded{0};
    std::vector<std::thread> loaders;
    for (int t = 0; t < 4; ++t)
        loaders.emplace_back([&] {
            for (int i = 0; i < 50; ++i)
                if (fw::Picture::Open(path)) ++loaded;
        });
    for (std::thread& loader : loaders) loader.join();
    loading = false;
    reporter.join();
    EXPECT_EQ(loaded.load(), 200);
    const auto lines = CapturedMessages::Take();
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(reports));
    for (int i = 0; i < reports; ++i)
        ASSERT_EQ(lines[static_cast<std::size_t>(i)], "report " + std::to_string(i));
    EXPECT_EQ(qInstallMessageHandler(CapturedMessages::Capture), &CapturedMessages::Capture);
}

}  // namespace
}  // namespace fwtest
