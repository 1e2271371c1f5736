// ukisomi_cardgen PICTURE_DIR ICON_DIR: draws karuta0.png to karuta99.png and Green.png
// into PICTURE_DIR, and ukisomi.ico with its PNG companions into ICON_DIR.
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <vector>

#include "game/PoemData.h"
#include "tools/cardgen/CardPainter.h"
#include "tools/cardgen/IcoFile.h"
#include "tools/cardgen/IconPainter.h"

namespace {

// Writes through a temporary file, so that a failed run leaves no half-written output.
void Save(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 file.errorString().toStdString());
    }
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw std::runtime_error("cannot encode a PNG image");
    return bytes;
}

void MakeDir(const QString& dir) {
    if (!QDir().mkpath(dir)) throw std::runtime_error("cannot create " + dir.toStdString());
}

void WriteCards(const QDir& dir) {
    const auto poems = game::PromptPoems();
    for (std::size_t n = 0; n < poems.size(); ++n) {
        const auto lower = game::LowerPhrase(poems[n]);
        Save(dir.filePath(QStringLiteral("karuta%1.png").arg(n)), Png(cardgen::DrawCard(lower)));
    }
    Save(dir.filePath(QStringLiteral("Green.png")), Png(cardgen::DrawGreen()));
}

void WriteIcons(const QDir& dir) {
    std::vector<cardgen::IcoImage> images;
    for (const int size : {48, 32, 16}) images.push_back({cardgen::DrawIcon(size), 8});
    for (const int size : {256, 48, 32, 16}) {
        const QImage icon = cardgen::DrawIcon(size);
        images.push_back({icon, 32});
        Save(dir.filePath(QStringLiteral("ukisomi-%1.png").arg(size)), Png(icon));
    }
    Save(dir.filePath(QStringLiteral("ukisomi.ico")), cardgen::EncodeIco(images));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ukisomi_cardgen PICTURE_DIR ICON_DIR\n");
        return 2;
    }
    // Drawing needs no display; run anywhere unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        const QString pictures = QString::fromLocal8Bit(argv[1]);
        const QString icons = QString::fromLocal8Bit(argv[2]);
        MakeDir(pictures);
        MakeDir(icons);
        WriteCards(QDir(pictures));
        WriteIcons(QDir(icons));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ukisomi_cardgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
