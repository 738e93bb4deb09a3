// A file of the page's worker, on the worker's own file system: open while the object lives.
#pragma once

#include <fcntl.h>
#include <unistd.h>

class PageFile {
public:
    PageFile(const char* path, int flags) : fd_(::open(path, flags | O_CLOEXEC, 0644)) {}
    ~PageFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;
    int fd() const { return fd_; }  // below 0 when the file cannot be had

private:
    int fd_;
};
