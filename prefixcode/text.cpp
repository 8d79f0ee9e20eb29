#include "text.h"

#include <cerrno>
#include <cinttypes>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// Makes room for at least one more block after the stored bytes.
static bool reserveBlock(TextBuffer *text)
{
    if (text->room - text->length >= INPUT_BLOCK)
        return true;
    size_t room = text->room == 0 ? INPUT_BLOCK : text->room;
    while (room - text->length < INPUT_BLOCK) {
        if (room > SIZE_MAX / 2)
            return false;
        room *= 2;
    }
    void *bytes = std::realloc(text->bytes, room);
    if (bytes == nullptr)
        return false;
    text->bytes = static_cast<unsigned char *>(bytes);
    text->room = room;
    return true;
}

// True when fd is a regular file holding more bytes than positions are left
// after order: it would be read, and held, only to be refused at its end.
static bool knownTooLong(int fd, int32_t order)
{
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    off_t at = lseek(fd, 0, SEEK_CUR);
    return at >= 0 && st.st_size - at > INT32_MAX - order;
}

InputEnd readInput(int fd, TextBuffer *text, ListNode **head, int32_t *order)
{
    if (knownTooLong(fd, *order))
        return INPUT_TOO_LONG;
    unsigned char scratch[INPUT_BLOCK];
    for (;;) {
        if (text != nullptr && !reserveBlock(text))
            return INPUT_NO_MEMORY;
        unsigned char *block = text != nullptr ? text->bytes + text->length : scratch;
        ssize_t got = read(fd, block, INPUT_BLOCK);
        if (got == 0)
            return INPUT_EOF;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return INPUT_READ_FAIL;
        }
        int32_t before = *order;
        InputEnd end = insertBytes(head, block, static_cast<size_t>(got), order);
        if (text != nullptr)
            text->length += static_cast<size_t>(*order - before);
        if (end != INPUT_MORE)
            return end;
    }
}

// Codes are gathered into blocks before they go to the stream: one stream
// call per input byte would cost more than the coding itself.
static void writeCodes(FILE *out, const TextBuffer *text, char *const lookup[256])
{
    size_t length[256];
    for (int c = 0; c < 256; c++)
        length[c] = lookup[c] != nullptr ? std::strlen(lookup[c]) : 0;
    char block[INPUT_BLOCK];
    size_t used = 0;
    for (size_t i = 0; i < text->length; i++) {
        unsigned char byte = text->bytes[i];
        if (used + length[byte] > sizeof block) {
            std::fwrite(block, 1, used, out);
            used = 0;
        }
        std::memcpy(block + used, lookup[byte], length[byte]);
        used += length[byte];
    }
    std::fwrite(block, 1, used, out);
}

void writeReport(FILE *out, const TextBuffer *text, char *const lookup[256], int64_t wpl)
{
    writeCodes(out, text, lookup);

    // The echo is the text as a string: it ends at the first zero byte.
    size_t echoed = text->length;
    if (const void *zero = std::memchr(text->bytes, 0, text->length))
        echoed = static_cast<size_t>(static_cast<const unsigned char *>(zero) - text->bytes);
    std::putc('\n', out);
    std::fwrite(text->bytes, 1, echoed, out);
    std::fprintf(out, "\n%" PRId64, wpl);
}
