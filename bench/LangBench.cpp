// The message lookup reads the language file afresh each time, and the status line looks
// messages up at every idle moment: what one lookup costs in time and in memory.
#include "lang/Lang.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>

// Every allocation in the process, Qt's included, goes through these; the counts show
// what a lookup asks of the allocator.
namespace {
std::atomic<std::size_t> AllocatedBytes{0};
std::atomic<std::size_t> Allocations{0};

void Count(std::size_t Bytes)
{
    AllocatedBytes.fetch_add(Bytes, std::memory_order_relaxed);
    Allocations.fetch_add(1, std::memory_order_relaxed);
}
} // namespace

extern "C" {
void* __libc_malloc(std::size_t Size);
void* __libc_calloc(std::size_t Count, std::size_t Size);
void* __libc_realloc(void* Pointer, std::size_t Size);
void __libc_free(void* Pointer);

void* malloc(std::size_t Size)
{
    Count(Size);
    return __libc_malloc(Size);
}

void* calloc(std::size_t Number, std::size_t Size)
{
    Count(Number * Size);
    return __libc_calloc(Number, Size);
}

void* realloc(void* Pointer, std::size_t Size)
{
    Count(Size);
    return __libc_realloc(Pointer, Size);
}

void free(void* Pointer)
{
    __libc_free(Pointer);
}
}

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
