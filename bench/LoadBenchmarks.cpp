// Loading: decoding the 101 picture files, through the framework's loader and with plain
// Qt; and the design-record reader over the program's 50 records.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/Benchmarks.h"
#include "bench/Harness.h"
#include "fw/Array.h"
#include "fw/DesignRecord.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/Picture.h"
#include "fw/PushButton.h"
#include "fw/Separator.h"
#include "fw/TextEdit.h"
#include "game/CardCanvas.h"
#include "game/FudaCanvas.h"
#include "game/KarutaLayout.h"
#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"
#include "game/wrapper_MyTimer.h"

namespace bench {

namespace {

std::vector<std::string> PictureNames() {
    std::vector<std::string> names;
    for (int n = 0; n <= 99; ++n) names.push_back("karuta" + std::to_string(n) + ".png");
    names.push_back("Green.png");
    return names;
}

// Each iteration decodes all 101 files, as the game's accessors ask for them.
void DecodePicturesFramework(benchmark::State& state) {
    std::vector<std::shared_ptr<fw::Array<std::string>>> lists;
    for (const std::string& name : PictureNames()) {
        lists.push_back(fw::CreateArray<std::string>(0));
        (*lists.back())(0) = name;
    }
    for (auto _ : state) {
        for (const auto& list : lists) {
            auto picture = fw::Picture::OpenFilesFromApp(list);
            if (!picture) {
                state.SkipWithError(("no picture from " + (*list)(0)).c_str());
                return;
            }
            benchmark::DoNotOptimize(picture.get());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lists.size()));
}

void DecodePicturesPlainQt(benchmark::State& state) {
    std::vector<QString> paths;
    for (const std::string& name : PictureNames())
        paths.push_back(QString::fromStdString(PicturePath(name)));
    for (auto _ : state) {
        for (const QString& path : paths) {
            const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            if (image.isNull()) {
                state.SkipWithError(("no picture from " + path.toStdString()).c_str());
                return;
            }
            benchmark::DoNotOptimize(image.constBits());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
}

struct Record {
    const fw::ClassRecord* target;
    const std::string* bytes;
};

// The program's records: the game window's own and its 46 controls', and the result
// window's own and its two controls'.
std::vector<Record> ProgramRecords() {
    std::vector<Record> records{{&game::KarutaWindow::Lookup(), &game::layout::WindowRecord()}};
    const auto& controls = game::layout::Controls();
    const auto& bytes = game::layout::ControlRecords();
    for (std::size_t i = 0; i < controls.size() && i < bytes.size(); ++i)
        records.push_back({&game::layout::ClassOf(controls[i].kind), &bytes[i]});
    records.push_back({&game::MessageWindow::Lookup(), &game::MessageWindow::WindowRecord()});
    records.push_back({&fw::Label::Lookup(), &game::MessageWindow::MessageRecord()});
    records.push_back({&fw::PushButton::Lookup(), &game::MessageWindow::OKButtonRecord()});
    return records;
}

// Each iteration reads every record against its class's property table.
void ReadDesignRecords(benchmark::State& state) {
    const std::vector<Record> records = ProgramRecords();
    std::int64_t bytes = 0;
    for (const Record& r : records) bytes += static_cast<std::int64_t>(r.bytes->size());
    for (auto _ : state) {
        for (const Record& r : records) {
            auto entries = fw::ParseDesignRecord(*r.target, *r.bytes);
            benchmark::DoNotOptimize(entries.data());
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["records"] = static_cast<double>(records.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}

}  // namespace

void RegisterLoadBenchmarks() {
    benchmark::RegisterBenchmark("DecodePictures/Framework", Guarded(DecodePicturesFramework))
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DecodePictures/PlainQt", Guarded(DecodePicturesPlainQt))
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DesignRecords/Read", Guarded(ReadDesignRecords))
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
}

}  // namespace bench
