// The fault hook of the test twins (kostra_faulty, kostra-dot_faulty): linked into a program built
// from the program's own sources, it sees every allocation and every transfer the program makes
// from the start of main to its return, and can make one of them fail.
//
// It replaces the whole global operator new and delete family and, through the linker's --wrap
// (see CMakeLists.txt), the C allocator calls, mmap, read and write of the program's own code, and
// main itself, which arms the hook. The environment says what to do:
//
//     FAULT_REPORT=path    at the return of main, write "allocations A\nwrites W\ninjected I\n":
//                          A allocations, W writes to standard output, I 1 when a fault was
//                          injected and 0 when none was
//     FAULT_ALLOC=n        the n-th allocation (counted from 1) fails
//     FAULT_ALLOC_FROM=n   the n-th allocation and every later one fail
//     FAULT_WRITE=n        the n-th write to standard output fails with ENOSPC
//     FAULT_SHORT=1        every read and write transfers a few bytes at most, and now and then
//                          fails with EINTR before transferring anything
//
// A failed allocation is what the system gives: operator new throws std::bad_alloc, its nothrow
// forms return null, malloc, calloc, realloc, aligned_alloc and posix_memalign report ENOMEM and
// mmap returns MAP_FAILED. The programs are single-threaded, and so is the hook.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <new>

// The linker's names for the wrapped and the real functions are reserved identifiers by design.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* p, std::size_t size);
void* __real_aligned_alloc(std::size_t alignment, std::size_t size);
int __real_posix_memalign(void** p, std::size_t alignment, std::size_t size);
void* __real_mmap(void* addr, std::size_t length, int prot, int flags, int fd, off_t offset);
ssize_t __real_read(int fd, void* buf, std::size_t count);
ssize_t __real_write(int fd, const void* buf, std::size_t count);
int __real_main(int argc, char** argv, char** envp);
}

namespace {

struct Hook {
    bool armed = false;             // main has begun
    unsigned long allocations = 0;  // seen since main began
    unsigned long writes = 0;       // to standard output
    unsigned long transfers = 0;    // reads and writes of any descriptor, for the short mode
    unsigned long failAlloc = 0;    // 0: none
    bool failFrom = false;          // every allocation from failAlloc on fails
    unsigned long failWrite = 0;    // 0: none
    bool shortTransfers = false;
    bool injected = false;
};
Hook hook;

unsigned long numberFrom(const char* name) {
    const char* text = std::getenv(name);
    return text == nullptr ? 0 : std::strtoul(text, nullptr, 10);
}

// Counts one allocation; true when it is to fail.
bool allocationFails() {
    if (!hook.armed) return false;
    const unsigned long n = ++hook.allocations;
    const bool fail =
        hook.failAlloc != 0 && (n == hook.failAlloc || (hook.failFrom && n > hook.failAlloc));
    if (fail) hook.injected = true;
    return fail;
}

// In the short mode: how many of count bytes the next transfer takes, or 0 when it is to be
// interrupted instead. Mostly a few bytes, now and then a larger piece, so that a run over a
// graph of megabytes stays quick.
std::size_t shortened(std::size_t count) {
    static constexpr std::size_t kPieces[] = {1, 3, 2, 7, 5, 1, 4, 4096};
    const unsigned long k = hook.transfers++;
    if (k % 5 == 3) return 0;
    const std::size_t piece = kPieces[k % (sizeof kPieces / sizeof kPieces[0])];
    return count < piece ? count : piece;
}

void* allocate(std::size_t size) {
    if (allocationFails()) throw std::bad_alloc();
    void* p = __real_malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void* allocate(std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
    if (allocationFails()) return nullptr;
    return __real_malloc(size == 0 ? 1 : size);
}

void* allocateAligned(std::size_t size, std::align_val_t alignment,
                      const std::nothrow_t& /*tag*/) noexcept {
    if (allocationFails()) return nullptr;
    std::size_t a = static_cast<std::size_t>(alignment);
    if (a < sizeof(void*)) a = sizeof(void*);
    void* p = nullptr;
    return __real_posix_memalign(&p, a, size == 0 ? 1 : size) == 0 ? p : nullptr;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    // Counted once: the nothrow form does the counting.
    void* p = allocateAligned(size, alignment, std::nothrow);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void writeReport() {
    const char* path = std::getenv("FAULT_REPORT");
    if (path == nullptr) return;
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    char text[128];
    char* p = text;
    const auto line = [&p](const char* label, unsigned long v) {
        while (*label != '\0') *p++ = *label++;
        char digits[24];
        int k = 0;
        do {
            digits[k++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        while (k > 0) *p++ = digits[--k];
        *p++ = '\n';
    };
    line("allocations ", hook.allocations);
    line("writes ", hook.writes);
    line("injected ", hook.injected ? 1 : 0);
    const char* s = text;
    std::size_t left = static_cast<std::size_t>(p - text);
    while (left > 0) {
        const ssize_t w = __real_write(fd, s, left);
        if (w <= 0) break;
        s += w;
        left -= static_cast<std::size_t>(w);
    }
    ::close(fd);
}

}  // namespace

extern "C" {

int __wrap_main(int argc, char** argv, char** envp) {
    hook.failAlloc = numberFrom("FAULT_ALLOC");
    if (hook.failAlloc == 0) {
        hook.failAlloc = numberFrom("FAULT_ALLOC_FROM");
        hook.failFrom = hook.failAlloc != 0;
    }
    hook.failWrite = numberFrom("FAULT_WRITE");
    hook.shortTransfers = numberFrom("FAULT_SHORT") != 0;
    hook.armed = true;
    const int status = __real_main(argc, argv, envp);
    hook.armed = false;
    writeReport();
    return status;
}

void* __wrap_malloc(std::size_t size) {
    if (allocationFails()) {
        errno = ENOMEM;
        return nullptr;
    }
    return __real_malloc(size);
}

void* __wrap_calloc(std::size_t count, std::size_t size) {
    if (allocationFails()) {
        errno = ENOMEM;
        return nullptr;
    }
    return __real_calloc(count, size);
}

void* __wrap_realloc(void* p, std::size_t size) {
    if (allocationFails()) {
        errno = ENOMEM;
        return nullptr;  // p stays valid, as when the system refuses
    }
    return __real_realloc(p, size);
}

void* __wrap_aligned_alloc(std::size_t alignment, std::size_t size) {
    if (allocationFails()) {
        errno = ENOMEM;
        return nullptr;
    }
    return __real_aligned_alloc(alignment, size);
}

int __wrap_posix_memalign(void** p, std::size_t alignment, std::size_t size) {
    if (allocationFails()) return ENOMEM;
    return __real_posix_memalign(p, alignment, size);
}

void* __wrap_mmap(void* addr, std::size_t length, int prot, int flags, int fd, off_t offset) {
    if (allocationFails()) {
        errno = ENOMEM;
        return MAP_FAILED;
    }
    return __real_mmap(addr, length, prot, flags, fd, offset);
}

ssize_t __wrap_read(int fd, void* buf, std::size_t count) {
    if (hook.armed && hook.shortTransfers && count > 0) {
        count = shortened(count);
        if (count == 0) {
            errno = EINTR;
            return -1;
        }
    }
    return __real_read(fd, buf, count);
}

ssize_t __wrap_write(int fd, const void* buf, std::size_t count) {
    if (hook.armed && fd == STDOUT_FILENO && ++hook.writes == hook.failWrite) {
        hook.injected = true;
        errno = ENOSPC;
        return -1;
    }
    if (hook.armed && hook.shortTransfers && count > 0) {
        count = shortened(count);
        if (count == 0) {
            errno = EINTR;
            return -1;
        }
    }
    return __real_write(fd, buf, count);
}

}  // extern "C"
// NOLINTEND(bugprone-reserved-identifier)

// The replaceable global allocation functions, every form.
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
    return allocate(size, tag);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return allocate(size, tag);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment,
                   const std::nothrow_t& tag) noexcept {
    return allocateAligned(size, alignment, tag);
}
void* operator new[](std::size_t size, std::align_val_t alignment,
                     const std::nothrow_t& tag) noexcept {
    return allocateAligned(size, alignment, tag);
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t /*size*/) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t /*size*/) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t& /*tag*/) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t& /*tag*/) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t /*alignment*/) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t /*alignment*/) noexcept { std::free(p); }
void operator delete(void* p, std::size_t /*size*/, std::align_val_t /*alignment*/) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t /*size*/, std::align_val_t /*alignment*/) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t /*alignment*/,
                     const std::nothrow_t& /*tag*/) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t /*alignment*/,
                       const std::nothrow_t& /*tag*/) noexcept {
    std::free(p);
}
