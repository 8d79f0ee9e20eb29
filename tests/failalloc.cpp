// Linked into test builds of the programs with --wrap=malloc,realloc,calloc:
// the allocation whose number FAILALLOC_AT names fails, as it would when
// memory runs out, and every other one is served.  Only the program's own
// calls are counted; the C library's inner ones are not wrapped.
#include <cstddef>
#include <cstdlib>

// The linker's --wrap fixes these names.
// NOLINTBEGIN(bugprone-reserved-identifier)

extern "C" void *__real_malloc(size_t size);
extern "C" void *__real_realloc(void *block, size_t size);
extern "C" void *__real_calloc(size_t count, size_t size);

namespace {

long failAt = -1;
long made = 0;

bool fails()
{
    if (failAt < 0) {
        const char *at = std::getenv("FAILALLOC_AT");
        failAt = at != nullptr ? std::strtol(at, nullptr, 10) : 0;
    }
    return ++made == failAt;
}

} // namespace

extern "C" void *__wrap_malloc(size_t size)
{
    return fails() ? nullptr : __real_malloc(size);
}

extern "C" void *__wrap_realloc(void *block, size_t size)
{
    return fails() ? nullptr : __real_realloc(block, size);
}

extern "C" void *__wrap_calloc(size_t count, size_t size)
{
    return fails() ? nullptr : __real_calloc(count, size);
}
// NOLINTEND(bugprone-reserved-identifier)
