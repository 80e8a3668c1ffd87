// What a message lookup asks of the allocator. The lookup reads the language file afresh
// each time and the status line looks messages up at every idle moment, so a lookup must
// allocate about what the file holds, not a buffer for the largest file allowed.
#include "lang/Lang.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>

namespace {
std::atomic<std::size_t> AllocatedBytes{0};
}

// Every allocation of the process, Qt's included, passes here; the sanitizer builds keep
// their own allocator and leave this test out.
extern "C" {
void* __libc_malloc(std::size_t Size);
void* __libc_calloc(std::size_t Count, std::size_t Size);
void* __libc_realloc(void* Pointer, std::size_t Size);
void __libc_free(void* Pointer);

void* malloc(std::size_t Size)
{
    AllocatedBytes.fetch_add(Size, std::memory_order_relaxed);
    return __libc_malloc(Size);
}

void* calloc(std::size_t Number, std::size_t Size)
{
    AllocatedBytes.fetch_add(Number * Size, std::memory_order_relaxed);
    return __libc_calloc(Number, Size);
}

void* realloc(void* Pointer, std::size_t Size)
{
    AllocatedBytes.fetch_add(Size, std::memory_order_relaxed);
    return __libc_realloc(Pointer, Size);
}

void free(void* Pointer)
{
    __libc_free(Pointer);
}
}

TEST(LookupMessage, AllocatesWhatTheFileNeedsNotAMegabyte)
{
    const QTemporaryDir Folder;
    const QString FileName = Folder.filePath(QStringLiteral("greek.lng"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTO_DATA_DIR "/greek.lng"), FileName));
    TLanguage Languages(QStringLiteral("Languages"), nullptr);
    Languages.SetLanguageFile(FileName);
    const QString Dealing = Languages.LookupMessage(QStringLiteral("dealing again..."));
    ASSERT_NE(Dealing, QStringLiteral("dealing again..."));

    const std::size_t Before = AllocatedBytes.load();
    for (int Lookup = 0; Lookup < 10; ++Lookup)
        EXPECT_EQ(Languages.LookupMessage(QStringLiteral("dealing again...")), Dealing);
    const std::size_t PerLookup = (AllocatedBytes.load() - Before) / 10;
    EXPECT_LT(PerLookup, 16 * static_cast<std::size_t>(QFile(FileName).size()) + 16 * 1024);
}
