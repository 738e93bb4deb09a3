// Working arrays of graph size. A walk over a graph of millions of nodes touches its arrays at
// random, so the arrays ask the kernel for huge pages (where it grants them on request), which
// spares most of the address-translation misses of such a walk. Otherwise a plain std::vector,
// but for one thing: an array grown without a value is not filled with zeros first (see
// construct below).
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Advises the kernel to back [p, p + bytes) with huge pages; a no-op for small ranges.
void adviseHugePages(void* p, std::size_t bytes);

template <class T>
struct BigAllocator {
    using value_type = T;
    BigAllocator() = default;
    template <class U>
    BigAllocator(const BigAllocator<U>& /*other*/) {}  // NOLINT(google-explicit-constructor)

    T* allocate(std::size_t n) {
        void* p = ::operator new(n * sizeof(T));
        adviseHugePages(p, n * sizeof(T));
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t /*n*/) { ::operator delete(p); }

    // An array grown without a value (v(n), v.resize(n)) leaves plain records as the memory had
    // them, instead of writing zeros that the code would overwrite anyway: every such array is
    // filled before it is read, and its pages are first touched where it is filled.
    template <class U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U>
    bool operator==(const BigAllocator<U>& /*other*/) const {
        return true;
    }
};

template <class T>
using BigVector = std::vector<T, BigAllocator<T>>;

// n plain records, all bytes zero, huge pages advised; released with std::free. Throws
// std::bad_alloc, as new does, when the memory cannot be had.
template <class T>
T* newZeroedBigArray(std::size_t n) {
    static_assert(std::is_trivial_v<T>);
    void* p = std::calloc(n == 0 ? 1 : n, sizeof(T));
    if (p == nullptr) throw std::bad_alloc();
    adviseHugePages(p, n * sizeof(T));
    return static_cast<T*>(p);
}

// new T[n] for plain records, huge pages advised, contents left as they come.
template <class T>
T* newBigArray(std::size_t n) {
    T* p = new T[n];
    adviseHugePages(p, n * sizeof(T));
    return p;
}
