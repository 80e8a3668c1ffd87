// What a message lookup asks of the allocator. The lookup reads the language file afresh
// each time and the status line looks messages up at every idle moment, so a lookup must
// allocate about what the file holds, not a buffer for the largest file allowed.
#include "lang/Lang.h"
#include "tests/support/CountingMalloc.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>

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
