#include "bench/Harness.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <exception>
#include <utility>

#include "fw/Runtime.h"
#include "fw/testing/Player.h"
#include "fw/testing/Seams.h"
#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"
#include "game/testing/Play.h"

namespace bench {

namespace {

std::string unhandled;
bool cardsDealt = false;

}  // namespace

void Pump() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void CatchUnhandledExceptions() {
    fw::SetUnhandledExceptionReporter([](const std::string& className, const std::string& message) {
        if (!unhandled.empty()) unhandled += "; ";
        unhandled += className + ": " + message;
    });
}

Body Guarded(Body body) {
    return [body = std::move(body)](benchmark::State& state) {
        try {
            body(state);
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            fw::testing::CloseAllWindows();
        }
    };
}

std::string TakeUnhandled() { return std::exchange(unhandled, std::string()); }

std::shared_ptr<game::KarutaWindow> OpenGame() {
    auto window = game::KarutaWindow::Implicit();
    Pump();
    return window;
}

void CloseGame(std::shared_ptr<game::KarutaWindow>& window) {
    if (auto result = game::testing::ResultWindow()) result->Close();
    if (window) window->Close();
    window.reset();
    fw::ProcessEvents();
}

void FinishGameIfDue(game::KarutaWindow& window) {
    if (window.Kaisu < 10) return;
    fw::testing::Click(Need(window.FudaCanvas(0), "card face"));
    if (auto result = game::testing::ResultWindow())
        fw::testing::Click(Need(result->OKButton(), "OK button"));
    Pump();
}

void PressStart(game::KarutaWindow& window) {
    cardsDealt = true;
    fw::testing::Click(Need(window.StartButton(), "start button"));
}

bool CardsDealt() { return cardsDealt; }

struct PaintCounter::Filter : QObject {
    std::int64_t paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

PaintCounter::PaintCounter() : filter_(std::make_unique<Filter>()) {
    QCoreApplication::instance()->installEventFilter(filter_.get());
}

PaintCounter::~PaintCounter() { QCoreApplication::instance()->removeEventFilter(filter_.get()); }

std::int64_t PaintCounter::Count() const { return filter_->paints; }

}  // namespace bench
