// The message lookup reads the language file afresh each time, and the status line looks
// messages up at every idle moment: what one lookup costs in time and in memory.
#include "lang/Lang.h"
#include "tests/support/CountingMalloc.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>

namespace {

// A copy of the real Greek file, the larger of the two.
class TLanguageFile
{
public:
    TLanguageFile()
    {
        FileName = Folder.filePath(QStringLiteral("greek.lng"));
        QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/greek.lng"), FileName);
    }
    QTemporaryDir Folder;
    QString FileName;
};

void BM_LookupMessage(benchmark::State& State)
{
    TLanguageFile File;
    TLanguage Languages(QStringLiteral("Languages"), nullptr);
    Languages.SetLanguageFile(File.FileName);
    if (Languages.LookupMessage(QStringLiteral("dealing again...")) == QStringLiteral("dealing again...")) {
        State.SkipWithError("greek.lng is missing beside the benchmark");
        return;
    }
    const std::size_t BytesBefore = AllocatedBytes.load();
    const std::size_t AllocationsBefore = Allocations.load();
    for (auto _ : State)
        benchmark::DoNotOptimize(Languages.LookupMessage(QStringLiteral("dealing again...")));
    const double Lookups = static_cast<double>(State.iterations());
    State.counters["bytes_per_lookup"] = static_cast<double>(AllocatedBytes.load() - BytesBefore) / Lookups;
    State.counters["allocations_per_lookup"] = static_cast<double>(Allocations.load() - AllocationsBefore) / Lookups;
    State.counters["file_bytes"] = static_cast<double>(QFile(File.FileName).size());
}
BENCHMARK(BM_LookupMessage);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication Application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
