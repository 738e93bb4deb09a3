// Linked into the libFuzzer targets only: keeps the large blocks of one run for the next. Every run
// of a program takes the same few large buffers (the 1 MiB of a file's reader, of kostra-dot's
// transcript reader, the two 256 KiB count tables of the radix sort); under AddressSanitizer each
// is mapped, poisoned, unmapped and its pages faulted in again, which costs far more than the run
// itself. Here a block of 64 KiB or more that is freed waits, poisoned, for the next request of
// the same size, so a use after free is still reported, and a block that is handed out again has
// its redzones as malloc gave them.
//
// It replaces the global operator new and delete (every form but the aligned ones, which stay the
// sanitizer's own and only pair with each other); the memory comes from malloc, which the
// sanitizer watches. Only new and delete of different forms (new[] freed by delete) are no longer
// told apart: the sanitizer builds of the tests still catch those.
#include <sanitizer/asan_interface.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kLarge = std::size_t{64} << 10;
constexpr int kSlots = 16;

struct Block {
    void* p;
    std::size_t size;
};

// The blocks in use are known by their addresses turned into something that is no pointer, so
// that the leak checker, which looks for pointers in memory, still sees a block the program
// loses as lost.
constexpr std::uintptr_t kDisguise = 0xA5A5A5A5A5A5A5A5U;
struct InUse {
    std::uintptr_t key;  // the address ^ kDisguise; 0 for a free slot
    std::size_t size;
};
std::uintptr_t keyOf(void* p) { return reinterpret_cast<std::uintptr_t>(p) ^ kDisguise; }

InUse handedOut[kSlots];  // large blocks in use
Block waiting[kSlots];    // large blocks freed, poisoned, for the next request of their size

void* large(std::size_t size) {
    void* p = nullptr;
    for (Block& b : waiting) {
        if (b.p != nullptr && b.size == size) {
            p = b.p;
            b.p = nullptr;
            ASAN_UNPOISON_MEMORY_REGION(p, size);
            break;
        }
    }
    if (p == nullptr) p = std::malloc(size);
    if (p == nullptr) return nullptr;
    for (InUse& b : handedOut) {
        if (b.key == 0) {
            b = {keyOf(p), size};
            return p;
        }
    }
    return p;  // more large blocks at once than slots: this one is freed as it comes
}

void* allocate(std::size_t size) {
    if (size == 0) size = 1;
    return size >= kLarge ? large(size) : std::malloc(size);
}

void release(void* p) {
    if (p == nullptr) return;
    for (InUse& b : handedOut) {
        if (b.key != keyOf(p)) continue;
        b.key = 0;
        for (Block& w : waiting) {
            if (w.p == nullptr) {
                w = {p, b.size};
                ASAN_POISON_MEMORY_REGION(p, b.size);
                return;
            }
        }
        break;
    }
    std::free(p);
}

void* allocateOrThrow(std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
    return allocate(size);
}
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t /*size*/) noexcept { release(p); }
void operator delete[](void* p, std::size_t /*size*/) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t& /*tag*/) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t& /*tag*/) noexcept { release(p); }
