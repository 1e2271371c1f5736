#include "bench/PlainBoard.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <map>
#include <string_view>

#include "bench/PictureFolder.h"
#include "game/KarutaLayout.h"

namespace bench {

namespace {

using game::layout::ControlLayout;
using game::layout::Kind;

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A card canvas: its picture drawn over its whole area, and nothing without one.
class PlainCanvas : public QWidget {
public:
    PlainCanvas(QWidget* parent, PlainBoard::Painting painting)
        : QWidget(parent), painting_(painting) {}

    void SetPicture(const QImage* picture) {
        picture_ = picture;
        if (picture_ && painting_ == PlainBoard::Painting::PreScaled)
            scaled_ = picture_->scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!picture_) return;
        QPainter painter(this);
        if (painting_ == PlainBoard::Painting::PreScaled) {
            painter.drawImage(QPoint(0, 0), scaled_);
        } else {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(0, 0, width(), height()), *picture_, QRectF(picture_->rect()));
        }
    }

private:
    PlainBoard::Painting painting_;
    const QImage* picture_ = nullptr;
    QImage scaled_;
};

// The installed face each design font is rendered with; the window's opening gives the
// prompt field, the start button and the first two captions the mincho face.
QFont FontFor(const ControlLayout& c) {
    const bool opensMincho = c.name == "OdaiField" || c.name == "StartButton" ||
                             c.name == "StaticText1" || c.name == "StaticText2";
    QString family = QStringLiteral("IPAGothic");
    if (opensMincho || c.fontName.find("明朝") != std::string_view::npos)
        family = QStringLiteral("IPAMincho");
    else if (c.fontName == "魚石行書")
        family = QStringLiteral("AoyagiKouzanFontT");
    QFont font(family);
    // In pixels, as the framework sets a design font size.
    if (c.fontSize > 0.0f) font.setPixelSize(static_cast<int>(c.fontSize + 0.5f));
    font.setBold(c.bold);
    return font;
}

// The text a control shows once the window has opened.
QString OpenedText(const ControlLayout& c) {
    if (c.name == "ShogoText") return QStringLiteral("なし");
    if (c.name == "ScoreFiled" || c.name == "TotalScoreField" || c.name == "KaisuField" ||
        c.name == "HighScoreField")
        return QStringLiteral("0");
    return Utf8(c.text);
}

void Place(QWidget* w, const ControlLayout& c) {
    w->setGeometry(static_cast<int>(c.left), static_cast<int>(c.top), static_cast<int>(c.width),
                   static_cast<int>(c.height));
    w->setVisible(c.visible);
}

}  // namespace

const QImage& SharedImage(const std::string& name) {
    static std::map<std::string, QImage> images;
    auto found = images.find(name);
    if (found == images.end())
        found = images
                    .emplace(name, QImage(QString::fromStdString(PicturePath(name)))
                                       .convertToFormat(QImage::Format_ARGB32_Premultiplied))
                    .first;
    return found->second;
}

PlainBoard::PlainBoard(Painting painting, const char* title) : painting_(painting) {
    window_ = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window_->setWindowTitle(QString::fromUtf8(title));
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, QColor(0xff, 0x90, 0x29));
    window_->setPalette(palette);
    window_->setAutoFillBackground(true);
    window_->setFixedSize(570, 510);
    content_ = new QWidget(window_);
    content_->setGeometry(0, 0, 570, 510);

    const QImage& green = SharedImage("Green.png");
    for (const ControlLayout& c : game::layout::Controls()) {
        switch (c.kind) {
            case Kind::CardFrame: {
                auto* frame = new PlainCanvas(content_, painting);
                Place(frame, c);
                frame->SetPicture(&green);
                frames_[static_cast<std::size_t>(c.index)] = frame;
                break;
            }
            case Kind::CardFace: {
                QWidget* frame = frames_[static_cast<std::size_t>(c.index)];
                auto* face = new PlainCanvas(frame, painting);
                face->setGeometry(static_cast<int>(c.left) - frame->x(),
                                  static_cast<int>(c.top) - frame->y(), static_cast<int>(c.width),
                                  static_cast<int>(c.height));
                face->SetPicture(&green);
                faces_[static_cast<std::size_t>(c.index)] = face;
                break;
            }
            case Kind::Canvas:
                Place(new PlainCanvas(content_, painting), c);
                break;
            case Kind::Label: {
                auto* label = new QLabel(content_);
                label->setTextFormat(Qt::PlainText);
                label->setText(OpenedText(c));
                label->setFont(FontFor(c));
                Place(label, c);
                break;
            }
            case Kind::TextField: {
                auto* field = new QLineEdit(OpenedText(c), content_);
                field->setFont(FontFor(c));
                Place(field, c);
                break;
            }
            case Kind::TextArea: {
                auto* area = new QPlainTextEdit(content_);
                area->setFont(FontFor(c));
                area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                area->setVerticalScrollBarPolicy(c.hasVerticalScrollbar ? Qt::ScrollBarAsNeeded
                                                                        : Qt::ScrollBarAlwaysOff);
                Place(area, c);
                break;
            }
            case Kind::Listbox: {
                auto* list = new QListWidget(content_);
                list->setFont(FontFor(c));
                list->addItems(Utf8(c.text).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts));
                Place(list, c);
                break;
            }
            case Kind::PushButton: {
                auto* button = new QPushButton(Utf8(c.text), content_);
                button->setFont(FontFor(c));
                button->setDefault(true);
                Place(button, c);
                break;
            }
            case Kind::Separator: {
                auto* line = new QFrame(content_);
                line->setFrameShape(QFrame::HLine);
                line->setFrameShadow(QFrame::Sunken);
                Place(line, c);
                break;
            }
            case Kind::Timer: {
                auto* timer = new QTimer(window_);
                QObject::connect(timer, &QTimer::timeout, window_, [] {});
                timer->start(1000);
                break;
            }
        }
    }

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window_->move(frame.topLeft());
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

PlainBoard::~PlainBoard() { delete window_; }

void PlainBoard::ShowCards(const std::array<std::string, 10>& names) {
    for (std::size_t slot = 0; slot < faces_.size(); ++slot)
        static_cast<PlainCanvas*>(faces_[slot])->SetPicture(&SharedImage(names[slot]));
}

QRegion PlainBoard::Board() const {
    QRegion board;
    for (const QWidget* frame : frames_) board += frame->geometry();
    return board;
}

}  // namespace bench
