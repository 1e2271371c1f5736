#include "qt/QuietMessages.h"

#include <QtGlobal>

#include <atomic>
#include <mutex>

namespace fw::detail {

namespace {

std::mutex installMutex;
int holders = 0;  // guarded by installMutex
// Kept after the last holder leaves: another thread may still be inside Filter, and a
// handler installed meanwhile may still hand on to it.
std::atomic<QtMessageHandler> previous{nullptr};
thread_local int quietDepth = 0;
thread_local bool forwarding = false;

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // A handler installed while Filter was in place may hand the message back here: the chain
    // ends rather than going round.
    if (quietDepth > 0 || forwarding) return;
    struct Forwarding {
        Forwarding() { forwarding = true; }
        ~Forwarding() { forwarding = false; }
    } scope;
    if (QtMessageHandler handler = previous.load()) handler(type, context, message);
}

}  // namespace

QuietMessages::QuietMessages() {
    ++quietDepth;
    std::lock_guard lock(installMutex);
    if (holders++ == 0) previous.store(qInstallMessageHandler(Filter));
}

QuietMessages::~QuietMessages() {
    {
        std::lock_guard lock(installMutex);
        if (--holders == 0) qInstallMessageHandler(previous.load());
    }
    --quietDepth;
}

}  // namespace fw::detail
