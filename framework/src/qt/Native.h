#pragma once

// Framework-internal glue between the framework's objects and their Qt widgets.

#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

#include <string>
#include <string_view>

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

// A control's widget. Qt may delete the widget with its parent, so the control holds it
// through a guarded pointer and deletes it only while it still exists.
struct NativeWidget {
    QPointer<QWidget> widget;
    ~NativeWidget() { delete widget.data(); }
};

struct PictureData {
    QImage image;
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
    void Relayout();

    Window* owner_;
    QWidget* content_;
    QWidget* menuBar_ = nullptr;
    QList<QAction*> shortcuts_;
    std::weak_ptr<MenuBar> shownBar_;
    bool barShown_ = false;
};

// The content widget of a window's native window, or null before it is constructed.
QWidget* ContentOf(const Window& window);

// The program's icon, drawn at build time, from its PNG files among the application's own
// files (Picture::AppFolders); empty when none of them is there.
QIcon ProgramIcon();
// Qt's platform layer shows the application's name in place of an empty window title; this
// empties the title the window system shows, too. Call it whenever Qt has written the title.
void ClearNativeTitle(QWidget& window);

}  // namespace fw::detail
