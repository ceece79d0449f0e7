#include "filedescriptor.h"

#include <unistd.h>

#include <cerrno>

namespace metrivo {

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) {
        const int saved = errno;
        ::close(fd_);
        errno = saved;
    }
}

int FileDescriptor::Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
}

}  // namespace metrivo
