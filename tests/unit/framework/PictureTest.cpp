// Pictures from the application's own files: what loads, where it is looked for, and that a
// bad or hostile file gives nothing without a crash or a large allocation.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "fw/Array.h"
#include "fw/Picture.h"
#include "unit/framework/AllocationProbe.h"
#include "unit/framework/FrameworkTest.h"
#include "unit/framework/PngFiles.h"

namespace fwtest {
namespace {

// Far below what decoding any of the hostile headers below would take (64 MB and up).
constexpr std::size_t kSmallAllocation = 8u << 20;

QImage Noise(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, random.generate() | 0xff000000u);
    return image;
}

std::shared_ptr<fw::Array<std::string>> Names(const std::vector<std::string>& names) {
    auto array = fw::CreateArray<std::string>(static_cast<std::int64_t>(names.size()) - 1);
    for (std::size_t i = 0; i < names.size(); ++i)
        (*array)(static_cast<std::int64_t>(i)) = names[i];
    return array;
}

class PictureTest : public FrameworkTest {
protected:
    PictureFolder folder_;
};

TEST_F(PictureTest, RealPngLoadsWithItsSize) {
    auto picture = fw::Picture::Open(folder_.WritePng("karuta7.png", Noise(21, 48)));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 21);
    EXPECT_EQ(picture->Height(), 48);
    // The hand-made files below are well formed: with full data, one loads.
    auto made = fw::Picture::Open(folder_.WriteBytes("made.png", PngClaiming(2, 3, 3)));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Width(), 2);
    EXPECT_EQ(made->Height(), 3);
}

TEST_F(PictureTest, BadOrHostileFilesGiveNothingWithoutALargeAllocation) {
    const QByteArray real = PngBytes(Noise(64, 64));
    QByteArray badCrc = PngClaiming(2, 3, 3);
    badCrc[29] = static_cast<char>(badCrc[29] ^ 0x01);  // the IHDR checksum
    QByteArray bitmap;
    {
        QBuffer buffer(&bitmap);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(Noise(8, 8).save(&buffer, "BMP"));
    }
    struct Case {
        std::string name;
        QByteArray bytes;
    };
    const std::vector<Case> cases = {
        {"empty.png", {}},
        {"signature-only.png", real.left(8)},
        {"cut-in-header.png", real.left(20)},
        {"truncated.png", real.left(real.size() / 2)},
        {"no-end.png", real.left(real.size() - 12)},
        {"text.png", "this is not a picture\r\n"},
        {"bitmap.png", bitmap},
        {"bad-crc.png", badCrc},
        {"zero-size.png", PngClaiming(0, 0, 0)},
        {"huge.png", PngClaiming(100000, 100000, 1)},
        {"wide.png", PngClaiming(static_cast<std::uint32_t>(fw::Picture::kMaxSide) + 1, 1, 1)},
        {"tall.png", PngClaiming(1, static_cast<std::uint32_t>(fw::Picture::kMaxSide) + 1, 1)},
        {"many-pixels.png", PngClaiming(4097, 4096, 1)},
        {"negative.png", PngClaiming(0x80000000u, 0x80000000u, 0)},
    };
    fw::Picture::SetAppFolders({folder_.Path()});
    for (const Case& c : cases) {
        const std::string path = folder_.WriteBytes(c.name, c.bytes);
        AllocationProbe probe;
        EXPECT_EQ(fw::Picture::Open(path), nullptr) << c.name;
        EXPECT_EQ(fw::Picture::OpenFilesFromApp(Names({c.name})), nullptr) << c.name;
        if (AllocationProbe::Available()) {
            EXPECT_LT(probe.Largest(), kSmallAllocation) << c.name;
        }
    }
}

// A positive control for the probe: decoding a picture of 1024 x 1024 takes a block of 4 MB.
TEST_F(PictureTest, AllocationProbeSeesADecodedPicture) {
    const std::string path = folder_.WriteBytes("big.png", PngClaiming(1024, 1024, 1024));
    AllocationProbe probe;
    auto picture = fw::Picture::Open(path);
    ASSERT_NE(picture, nullptr);
    EXPECT_GE(probe.Largest(), std::size_t{1024} * 1024 * 4);
}

TEST_F(PictureTest, FoldersAndMissingFilesGiveNothing) {
    ASSERT_TRUE(QDir(QString::fromStdString(folder_.Path())).mkdir("folder.png"));
    EXPECT_EQ(fw::Picture::Open(folder_.PathOf("folder.png")), nullptr);
    EXPECT_EQ(fw::Picture::Open(folder_.PathOf("missing.png")), nullptr);
    EXPECT_EQ(fw::Picture::Open(""), nullptr);
    fw::Picture::SetAppFolders({folder_.Path()});
    EXPECT_EQ(fw::Picture::OpenFilesFromApp(Names({"folder.png"})), nullptr);
    EXPECT_EQ(fw::Picture::OpenFilesFromApp(Names({"missing.png"})), nullptr);
    EXPECT_EQ(fw::Picture::OpenFilesFromApp(Names({})), nullptr);
    EXPECT_THROW(fw::Picture::OpenFilesFromApp(nullptr), fw::NilObjectException);
}

namespace fs = std::filesystem;

TEST_F(PictureTest, ReadOnlyFolderStillReads) {
    folder_.WritePng("Green.png", Solid(7, 16, 0xff008000u));
    const std::string path = folder_.Path();
    constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, kWrite, fs::perm_options::remove);
    fw::Picture::SetAppFolders({path});
    auto picture = fw::Picture::OpenFilesFromApp(Names({"Green.png"}));
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 7);
}

TEST_F(PictureTest, UnreadableFileGivesNothing) {
    const std::string path = folder_.WritePng("karuta1.png", Solid(7, 16, 0xff008000u));
    fs::permissions(path, fs::perms::none);
    if (std::ifstream(path).is_open()) GTEST_SKIP() << "this user reads a file without permissions";
    fw::Picture::SetAppFolders({folder_.Path()});
    EXPECT_EQ(fw::Picture::Open(path), nullptr);
    EXPECT_EQ(fw::Picture::OpenFilesFromApp(Names({"karuta1.png"})), nullptr);
}

TEST_F(PictureTest, FirstNameThatReadsWinsAndFoldersAreSearchedInOrder) {
    PictureFolder second;
    folder_.WriteBytes("broken.png", "not a picture");
    folder_.WritePng("both.png", Solid(1, 1, 0xffff0000u));
    second.WritePng("both.png", Solid(2, 2, 0xff0000ffu));
    second.WritePng("second.png", Solid(3, 3, 0xff0000ffu));
    fw::Picture::SetAppFolders({folder_.Path(), second.Path()});

    auto both = fw::Picture::OpenFilesFromApp(
        Names({"missing.png", "broken.png", "both.png", "second.png"}));
    ASSERT_NE(both, nullptr);
    EXPECT_EQ(both->Width(), 1);
    auto onlySecond = fw::Picture::OpenFilesFromApp(Names({"second.png"}));
    ASSERT_NE(onlySecond, nullptr);
    EXPECT_EQ(onlySecond->Width(), 3);
}

// Nothing is remembered of a failed look-up: once the file is there, the next call loads it.
TEST_F(PictureTest, FileThatAppearsLaterLoadsOnTheNextCall) {
    fw::Picture::SetAppFolders({folder_.Path()});
    EXPECT_EQ(fw::Picture::OpenFilesFromApp(Names({"karuta5.png"})), nullptr);
    folder_.WriteBytes("karuta5.png", "half written");
    EXPECT_EQ(fw::Picture::OpenFilesFromApp(Names({"karuta5.png"})), nullptr);
    folder_.WritePng("karuta5.png", Solid(5, 9, 0xffff0000u));
    auto picture = fw::Picture::OpenFilesFromApp(Names({"karuta5.png"}));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Height(), 9);
}

TEST_F(PictureTest, OnlyBareFileNamesAreLookedFor) {
    PictureFolder outside;
    const std::string app = folder_.PathOf("app");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(app + "/sub")));
    folder_.WritePng("up.png", Solid(1, 1, 0xffff0000u));
    folder_.WritePng("app/sub/down.png", Solid(1, 1, 0xffff0000u));
    const std::string absolute = outside.WritePng("absolute.png", Solid(1, 1, 0xffff0000u));
    fw::Picture::SetAppFolders({app});
    for (const std::string& name :
         {std::string("../up.png"), std::string("sub/down.png"), absolute,
          std::string("sub\\down.png"), std::string(".."), std::string("."), std::string(""),
          std::string("down.png\0.png", 13)})
        EXPECT_EQ(fw::Picture::OpenFilesFromApp(Names({name})), nullptr) << name;
}

TEST_F(PictureTest, DefaultFoldersBeginWithTheExecutablesFolder) {
    fw::Picture::SetAppFolders({});
    const auto folders = fw::Picture::AppFolders();
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders[0], QCoreApplication::applicationDirPath().toStdString());
#ifdef _WIN32
    // A Windows program keeps its files in its own folder: nothing above it is searched.
    EXPECT_EQ(folders.size(), 1u);
#else
    EXPECT_GE(folders.size(), 2u);  // then the installed data folder
#endif
    fw::Picture::SetAppFolders({"/nowhere"});
    EXPECT_EQ(fw::Picture::AppFolders(), std::vector<std::string>{"/nowhere"});
}

}  // namespace
}  // namespace fwtest
