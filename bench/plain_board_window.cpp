// The second yardstick of the whole-process measurement: the game's board made with plain Qt
// calls (PlainBoard), started and shown as a program of its own, without the framework.
#include <QApplication>

#include "bench/PlainBoard.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // A title of its own, so that bench/startup never takes the game's last window for it.
    const bench::PlainBoard board(bench::PlainBoard::Painting::Stretched, "Ukisomi plain board");
    return app.exec();
}
