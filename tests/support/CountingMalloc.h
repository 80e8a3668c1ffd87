// Counts every allocation of the process: the C library's, Qt's and every form
// of operator new (plain, nothrow, array, aligned). Include it in exactly one
// file of a program.
//
// The count is taken below operator new, so that each block is still taken
// and given back by the C++ library's own matching pair of operator new and
// delete; a test that replaced only some of those forms would pair another
// library's new with its own delete.
//
// Without the sanitizers it stands in for the C library's allocator, which
// every form of operator new calls. Under AddressSanitizer the sanitizer's
// allocator serves malloc and operator new alike and must stay in place, so
// its allocation hook does the counting instead.
#pragma once
#include <atomic>
#include <cerrno>
#include <cstddef>

inline std::atomic<std::size_t> AllocatedBytes{0};
inline std::atomic<std::size_t> Allocations{0};
// A test that asks what one call allocates reads this, which Qt's pooled
// threads finishing earlier work cannot change under it.
inline thread_local std::size_t AllocationsOnThisThread = 0;

inline void CountAllocation(std::size_t Bytes)
{
    AllocatedBytes.fetch_add(Bytes, std::memory_order_relaxed);
    Allocations.fetch_add(1, std::memory_order_relaxed);
    ++AllocationsOnThisThread;
}

#if defined(__SANITIZE_ADDRESS__)
#define ZENTO_COUNT_THROUGH_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZENTO_COUNT_THROUGH_SANITIZER 1
#endif
#endif

#ifdef ZENTO_COUNT_THROUGH_SANITIZER

extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*MallocHook)(const volatile void*, std::size_t),
                                                          void (*FreeHook)(const volatile void*));

// The hooks run inside the allocator, so they must not allocate.
inline void CountSanitizerAllocation(const volatile void*, std::size_t Size)
{
    CountAllocation(Size);
}

inline void IgnoreSanitizerRelease(const volatile void*) {}

// Installed while the program starts, before any test runs.
inline const int SanitizerHookSlot =
    __sanitizer_install_malloc_and_free_hooks(CountSanitizerAllocation, IgnoreSanitizerRelease);

#else

extern "C" {
void* __libc_malloc(std::size_t Size);
void* __libc_calloc(std::size_t Count, std::size_t Size);
void* __libc_realloc(void* Pointer, std::size_t Size);
void* __libc_memalign(std::size_t Alignment, std::size_t Size);
void* __libc_valloc(std::size_t Size);
void* __libc_pvalloc(std::size_t Size);
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

// The aligned forms of operator new come here through aligned_alloc or
// posix_memalign; their blocks go back through free like any other.
void* aligned_alloc(std::size_t Alignment, std::size_t Size)
{
    CountAllocation(Size);
    return __libc_memalign(Alignment, Size);
}

void* memalign(std::size_t Alignment, std::size_t Size)
{
    CountAllocation(Size);
    return __libc_memalign(Alignment, Size);
}

int posix_memalign(void** Result, std::size_t Alignment, std::size_t Size)
{
    if (Alignment % sizeof(void*) != 0 || (Alignment & (Alignment - 1)) != 0)
        return EINVAL;
    CountAllocation(Size);
    void* Pointer = __libc_memalign(Alignment, Size);
    if (!Pointer)
        return ENOMEM;
    *Result = Pointer;
    return 0;
}

void* valloc(std::size_t Size)
{
    CountAllocation(Size);
    return __libc_valloc(Size);
}

void* pvalloc(std::size_t Size)
{
    CountAllocation(Size);
    return __libc_pvalloc(Size);
}

void free(void* Pointer)
{
    __libc_free(Pointer);
}
}

#endif
