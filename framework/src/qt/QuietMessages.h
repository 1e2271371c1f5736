#pragma once

namespace fw::detail {

// While one is alive, Qt's messages raised on the thread that holds it are dropped; messages
// of every other thread still go to the handler installed before. Picture loading holds one
// around its decodes: the image reader complains about a damaged file through Qt's messages,
// and a failed load reports nothing. Any number of threads may hold one at a time.
class QuietMessages {
public:
    QuietMessages();
    ~QuietMessages();
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;
};

}  // namespace fw::detail
