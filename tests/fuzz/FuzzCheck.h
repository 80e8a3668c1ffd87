// A broken rule ends the run at once and names the rule: libFuzzer keeps the
// input, and the fuzz script finds "rule broken" in its log.
#pragma once
#include <cstdio>
#include <cstdlib>

inline void Check(bool Holds, const char* Rule)
{
    if (Holds)
        return;
    std::fprintf(stderr, "rule broken: %s\n", Rule);
    std::abort();
}

#define CHECK(Condition) Check(Condition, #Condition)
