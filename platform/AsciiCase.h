// Names in the settings file, the language files and the windows' own parts
// match without regard to case, by one rule for all of them: only the ASCII
// letters fold, so a Greek letter never matches another by accident.
#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringView>

template <typename TChar>
constexpr TChar AsciiUpper(TChar C)
{
    return C >= 'a' && C <= 'z' ? TChar(C - 'a' + 'A') : C;
}

template <typename TChar>
constexpr TChar AsciiLower(TChar C)
{
    return C >= 'A' && C <= 'Z' ? TChar(C - 'A' + 'a') : C;
}

inline char CodeOf(char C)
{
    return C;
}

inline char16_t CodeOf(QChar C)
{
    return C.unicode();
}

template <typename TView>
bool SameAsciiName(TView A, TView B)
{
    if (A.size() != B.size())
        return false;
    for (qsizetype I = 0; I < A.size(); ++I)
        if (AsciiUpper(CodeOf(A[I])) != AsciiUpper(CodeOf(B[I])))
            return false;
    return true;
}

inline bool SameName(QStringView A, QStringView B)
{
    return SameAsciiName(A, B);
}

inline bool SameName(QByteArrayView A, QByteArrayView B)
{
    return SameAsciiName(A, B);
}

inline QString AsciiLowered(QString Text)
{
    for (QChar& C : Text)
        C = QChar(AsciiLower(C.unicode()));
    return Text;
}
