#include "fuzz_support.h"

#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

void require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

int descriptorWith(const uint8_t *data, size_t size)
{
    int fd = memfd_create("fuzz-input", MFD_CLOEXEC);
    require(fd >= 0, "memfd_create");
    for (size_t done = 0; done < size;) {
        ssize_t put = write(fd, data + done, size - done);
        require(put > 0, "write to memfd");
        done += static_cast<size_t>(put);
    }
    require(lseek(fd, 0, SEEK_SET) == 0, "lseek");
    return fd;
}

void openCapture(Capture *c)
{
    c->bytes = nullptr;
    c->size = 0;
    c->stream = open_memstream(&c->bytes, &c->size);
    require(c->stream != nullptr, "open_memstream");
}

void closeCapture(Capture *c)
{
    require(std::fclose(c->stream) == 0, "close capture");
    c->stream = nullptr;
}
