#pragma once

// Framework-internal glue between the framework's objects and their Qt widgets.

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <memory>

#include <string>
#include <string_view>
#include <vector>

namespace fw {
class Window;
class MenuBar;
}  // namespace fw

namespace fw::detail {

// The program's own name, which its desktop entry (ukisomi.desktop) and icon files carry.
inline constexpr char kProgramName[] = "ukisomi";

inline QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

// Shows line ends of any kind (CR, LF, CR LF) as Qt's line feed.
inline QString DisplayText(std::string_view text) {
    QString out = ToQt(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

// Deletes a widget that Qt may already have deleted with its parent: the guarded pointer
// reads null then, so nothing is deleted twice.
struct DeleteUnlessGone {
    using pointer = QPointer<QWidget>;
    void operator()(const pointer& widget) const { delete widget.data(); }
};

// A control's widget, owned by the control unless its parent goes first.
struct NativeWidget {
    std::unique_ptr<QWidget, DeleteUnlessGone> widget;
};

struct PictureData {
    QImage image;
    // Parts of `image` already scaled for drawing (Canvas.cpp), the most recently drawn first.
    // Each copy's size is its target's in device pixels, its ratio the painter's scale. Owned
    // by the picture, so they go with it; touched by painting only, on the GUI thread.
    struct ScaledCopy {
        QRectF source;
        QImage image;
    };
    mutable std::vector<ScaledCopy> scaledCopies;
};

// The top-level widget of a window: an optional visible menu bar above a content area of
// exactly the window's size, on which the controls lie.
class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window* owner);
    QWidget* Content() const { return content_; }
    void Detach() { owner_ = nullptr; }
    // Installs the bar's shortcuts on this window, and shows the bar when `visible`.
    void SetMenuBar(const std::shared_ptr<MenuBar>& bar, bool visible);
    void SetContentSize(int width, int height, bool fixed, QSize minimum, QSize maximum);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Window* owner_;
    QWidget* content_;  // a child: Qt deletes it with this widget
    // Rebuilt when the bar changes. Members are destroyed before QWidget deletes its children,
    // so Qt never deletes these first.
    std::unique_ptr<QWidget> menuBar_;
    std::vector<std::unique_ptr<QAction>> shortcuts_;
    std::weak_ptr<MenuBar> shownBar_;
    bool barShown_ = false;
};

// The content widget of a window's native window, or null before it is constructed.
QWidget* ContentOf(const Window& window);

// The program's icon, drawn at build time and built into the program (no file is read): the
// program file's icon group on Windows, Qt resources under :/icons elsewhere. Empty when the
// program carries none, as a test program does not.
QIcon ProgramIcon();
// Qt's platform layer shows the application's name in place of an empty window title; this
// empties the title the window system shows, too. Call it whenever Qt has written the title.
void ClearNativeTitle(QWidget& window);

}  // namespace fw::detail
