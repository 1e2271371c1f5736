#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fw/Array.h"
#include "fw/Object.h"

namespace fw {

namespace detail {
struct PictureData;
}

// An image read from a file. Pictures are shared, never copied.
class Picture : public Object {
public:
    FW_OBJECT;

    explicit Picture(std::unique_ptr<detail::PictureData> data);
    ~Picture() override;

    std::int64_t Width() const;
    std::int64_t Height() const;

    // The first of `names` (bare file names) that reads as a picture from the application's
    // own files (AppFolders()), or nothing. A missing, empty, truncated or non-PNG file, or one
    // whose header claims more than the limits below, gives nothing.
    static std::shared_ptr<Picture> OpenFilesFromApp(
        const std::shared_ptr<Array<std::string>>& names);
    // The picture in the PNG file at `path`, or nothing, under the same limits.
    static std::shared_ptr<Picture> Open(const std::string& path);

    // Where OpenFilesFromApp looks, in order: by default the executable's folder, then the
    // installed data folder beside it (../share/ukisomi), then the data folder fixed at build time.
    static std::vector<std::string> AppFolders();
    // Replaces the folders (tests); an empty list restores the defaults.
    static void SetAppFolders(std::vector<std::string> folders);

    static constexpr std::int64_t kMaxSide = 8192;
    static constexpr std::int64_t kMaxPixels = 16 * 1024 * 1024;
    static constexpr std::int64_t kMaxFileBytes = 32 * 1024 * 1024;

    // Framework-internal: the decoded image.
    const detail::PictureData& Data() const { return *data_; }

private:
    std::unique_ptr<detail::PictureData> data_;
};

}  // namespace fw
