// The parts of a top-level window that the window system draws.
#include <QGuiApplication>

#include <string>

#include "fw/Picture.h"
#include "qt/Native.h"

namespace fw::detail {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        const std::string name = std::string(kProgramName) + "-" + std::to_string(size) + ".png";
        for (const std::string& folder : Picture::AppFolders())
            if (auto picture = Picture::Open(folder + "/" + name)) {
                icon.addPixmap(QPixmap::fromImage(picture->Data().image));
                break;
            }
    }
    return icon;
}

}  // namespace fw::detail
