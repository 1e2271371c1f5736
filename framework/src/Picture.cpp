#include "fw/Picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <mutex>

#include "PictureBytes.h"
#include "PngStructure.h"
#include "fw/Thread.h"
#include "qt/Native.h"
#include "qt/QuietMessages.h"

namespace fw {

namespace {

std::mutex foldersMutex;
std::vector<std::string> customFolders;

// The executable's folder; where the program installs its data apart (Linux), that folder too,
// found from the executable and at the installed prefix.
std::vector<std::string> DefaultFolders() {
    std::vector<std::string> folders;
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        folders.push_back(detail::FromQt(exeDir));
#ifdef UKISOMI_DATA_RELATIVE
        folders.push_back(
            detail::FromQt(QDir::cleanPath(exeDir + QStringLiteral("/" UKISOMI_DATA_RELATIVE))));
#endif
    }
#ifdef UKISOMI_DATA_DIR
    folders.push_back(UKISOMI_DATA_DIR);
#endif
    return folders;
}

// A bare file name: no folder part, nothing that climbs out of the application's folders.
bool IsBareFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}

}  // namespace

namespace detail {

std::shared_ptr<Picture> PictureFromPngBytes(std::string_view bytes) {
    if (bytes.empty() || static_cast<std::int64_t>(bytes.size()) > Picture::kMaxFileBytes)
        return nullptr;
    // A failed load reports nothing. The decoder writes its errors straight to stderr, so a
    // damaged file never reaches it; its warnings go through Qt's messages, which are kept
    // quiet for this thread only while it decodes.
    if (!IsWalkablePng(bytes)) return nullptr;
    const QuietMessages quiet;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    if (!reader.canRead()) return nullptr;
    // Judge the size from the header before anything is decoded.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() <= 0 || size.height() <= 0 ||
        size.width() > Picture::kMaxSide || size.height() > Picture::kMaxSide ||
        static_cast<std::int64_t>(size.width()) * size.height() > Picture::kMaxPixels)
        return nullptr;
    QImage image;
    if (!reader.read(&image) || image.isNull() || image.size() != size) return nullptr;
    auto picture = std::make_unique<PictureData>();
    picture->image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return std::make_shared<Picture>(std::move(picture));
}

}  // namespace detail

Picture::Picture(std::unique_ptr<detail::PictureData> data) : data_(std::move(data)) {}
Picture::~Picture() = default;

std::int64_t Picture::Width() const { return data_->image.width(); }
std::int64_t Picture::Height() const { return data_->image.height(); }

std::shared_ptr<Picture> Picture::Open(const std::string& path) {
    const QString file = detail::ToQt(path);
    const QFileInfo info(file);
    if (!info.isFile() || info.size() <= 0 || info.size() > kMaxFileBytes) return nullptr;
    // Read once, so that what is checked is what is decoded, whatever happens to the file.
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly)) return nullptr;
    const qint64 byteCount = source.size();
    if (byteCount <= 0 || byteCount > kMaxFileBytes) return nullptr;
    QByteArray bytes(byteCount, Qt::Uninitialized);
    if (source.read(bytes.data(), byteCount) != byteCount) return nullptr;
    return detail::PictureFromPngBytes(std::string_view(bytes.constData(), bytes.size()));
}

std::shared_ptr<Picture> Picture::OpenFilesFromApp(
    const std::shared_ptr<Array<std::string>>& names) {
    RequireUIThread();
    if (!names) throw NilObjectException("OpenFilesFromApp was given no list of file names");
    const auto folders = AppFolders();
    for (std::int64_t i = 0; i <= names->Ubound(); ++i) {
        const std::string& name = (*names)(i);
        if (!IsBareFileName(name)) continue;
        for (const std::string& folder : folders)
            if (auto picture = Open(folder + "/" + name)) return picture;
    }
    return nullptr;
}

std::vector<std::string> Picture::AppFolders() {
    std::lock_guard lock(foldersMutex);
    return customFolders.empty() ? DefaultFolders() : customFolders;
}

void Picture::SetAppFolders(std::vector<std::string> folders) {
    std::lock_guard lock(foldersMutex);
    customFolders = std::move(folders);
}

const ClassRecord& Picture::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "Picture",
        .super = &Object::Lookup(),
        .members = {{"Width", "", {}},
                    {"Height", "", {}},
                    {"_OpenFilesFromApp", "names() As String", {}}},
    });
    return record;
}
const ClassRecord& Picture::Class() const { return Lookup(); }

}  // namespace fw
