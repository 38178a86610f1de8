/// @file
/// Arrays the engine fills from files (vertices, indices, pixels), which can be hundreds of
/// megabytes: the system backend may back them with large pages.
///
/// Filling such an array costs mostly its first touch of each page, not the copying: one
/// fault per 4 kB page, which on a virtual machine can make a 240 MB scene load five times
/// slower than the copy alone. Large pages take one fault per 2 MB.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>

/// Tells the system that `bytes` from `start`, not yet touched, will be filled and used as a
/// whole. The system backend decides what, if anything, to do:
///   platform/posix: madvise(MADV_HUGEPAGE) on the 2 MB pages inside a block of 2 MB or
///     more, where the system has transparent large pages.
///   platform/win32, platform/web: nothing (Windows gives large pages only to accounts
///     with the lock-pages privilege; WebAssembly has one linear memory).
void AdviseLargeArray(void* start, std::size_t bytes);

/// `new (std::nothrow) T[count]`, advised as above; null when it cannot be had. Free with
/// delete[]. T must leave its memory untouched when made, or the advice would come too late.
template <class T>
T* NewLargeArray(std::size_t count)
{
    static_assert(std::is_trivially_default_constructible_v<T>, "made without touching its memory");
    T* array = new (std::nothrow) T[count];
    if (array != nullptr)
        AdviseLargeArray(array, count * sizeof(T));
    return array;
}
