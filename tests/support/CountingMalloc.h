// Counts every allocation of the process, Qt's included, by standing in for the C
// library's allocator. Include it in exactly one file of a program; the sanitizer
// builds keep their own allocator and leave such programs out.
#pragma once
#include <atomic>
#include <cstddef>

inline std::atomic<std::size_t> AllocatedBytes{0};
inline std::atomic<std::size_t> Allocations{0};

inline void CountAllocation(std::size_t Bytes)
{
    AllocatedBytes.fetch_add(Bytes, std::memory_order_relaxed);
    Allocations.fetch_add(1, std::memory_order_relaxed);
}

extern "C" {
void* __libc_malloc(std::size_t Size);
void* __libc_calloc(std::size_t Count, std::size_t Size);
void* __libc_realloc(void* Pointer, std::size_t Size);
void __libc_free(void* Pointer);

void* malloc(std::size_t Size)
{
    CountAllocation(Size);
    return __libc_malloc(Size);
}

void* calloc(std::size_t Number, std::size_t Size)
{
    CountAllocation(Number * Size);
    return __libc_calloc(Number, Size);
}

void* realloc(void* Pointer, std::size_t Size)
{
    CountAllocation(Size);
    return __libc_realloc(Pointer, Size);
}

void free(void* Pointer)
{
    __libc_free(Pointer);
}
}
