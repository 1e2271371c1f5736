// Writes the program's own 50 design records as fuzz seeds into a folder, each prefixed by the
// byte that makes the fuzz target read it against its own class (see RecordTargets.h).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "RecordTargets.h"
#include "game/KarutaLayout.h"
#include "game/MessageWindow.h"

namespace {

// The byte of the fuzz target nearest to the kind's class: a card canvas is read as a Canvas.
char SelectorOf(game::layout::Kind kind) {
    for (const fw::ClassRecord* c = &game::layout::ClassOf(kind); c; c = c->Super())
        for (std::size_t i = 0; i < std::size(fuzz::kFrameworkTargets); ++i)
            if (&fuzz::kFrameworkTargets[i]() == c) return static_cast<char>(i + 1);
    return 0;
}

bool Write(const std::string& path, char selector, const std::string& record) {
    std::ofstream out(path, std::ios::binary);
    out.put(selector);
    out << record;
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = Write(folder + "/program-karuta-window", 1, game::layout::WindowRecord()) &&
              Write(folder + "/program-message-window", 1, game::MessageWindow::WindowRecord()) &&
              Write(folder + "/program-message-label", 2, game::MessageWindow::MessageRecord()) &&
              Write(folder + "/program-ok-button", 3, game::MessageWindow::OKButtonRecord());
    const auto& controls = game::layout::Controls();
    const auto& records = game::layout::ControlRecords();
    for (std::size_t i = 0; ok && i < controls.size(); ++i)
        ok = Write(folder + "/program-control-" + std::to_string(i + 1),
                   SelectorOf(controls[i].kind), records[i]);
    if (!ok) std::fprintf(stderr, "could not write the seeds into %s\n", folder.c_str());
    return ok ? 0 : 1;
}
