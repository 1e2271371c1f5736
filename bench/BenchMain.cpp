// Benchmarks of what the framework layer costs against plain Qt. They measure and print;
// nothing here judges a time.
#include <benchmark/benchmark.h>

#include <QString>
#include <QtGlobal>

#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "bench/Benchmarks.h"
#include "bench/Harness.h"
#include "bench/RatioReporter.h"
#include "fw/Picture.h"
#include "fw/Runtime.h"

namespace {

// The offscreen platform says on every shown window that it cannot raise it; that says
// nothing about the measurement and would bury the table.
void QuietRaiseNotice(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.contains(QStringLiteral("does not support raise()"))) return;
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    std::cerr << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    // Headless unless told otherwise.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(QuietRaiseNotice);
    fw::RuntimeInit(nullptr, nullptr, L"", 10);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    fw::Picture::SetAppFolders({bench::PictureDir()});
    bench::CatchUnhandledExceptions();
    bench::WarmUp();

    bench::RegisterOpenWindowBenchmarks();
    bench::RegisterPlayBenchmarks();
    bench::RegisterRepaintBenchmarks();
    bench::RegisterLoadBenchmarks();

    // A reporter of our own ignores --benchmark_color: colours only on a terminal.
    bench::RatioReporter reporter(isatty(STDOUT_FILENO)
                                      ? benchmark::ConsoleReporter::OO_ColorTabular
                                      : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(std::cout);
    benchmark::Shutdown();
    fw::RuntimePerformFinalizers();
    return 0;
}
