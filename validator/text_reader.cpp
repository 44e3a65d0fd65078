#include "text_reader.h"

#include <algorithm>
#include <cstring>

#ifndef _WIN32
#include <filesystem>
#endif

namespace {

bool isRegularFile(const std::string& name)
{
#ifdef _WIN32
    // Windows has no FIFOs to block on, and fopen refuses directories itself;
    // std::filesystem would also read the name in another code page than fopen.
    (void)name;
    return true;
#else
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(name), error);
#endif
}

}  // namespace

TextReader::~TextReader()
{
    close();
}

bool TextReader::open(const std::string& name)
{
    close();
    if (!isRegularFile(name))
        return false;
    file = std::fopen(name.c_str(), "rb");
    if (file == nullptr)
        return false;
    // Blocks go straight into our own buffer; the stream's buffer would be a second copy.
    std::setvbuf(file, nullptr, _IONBF, 0);
    resetWindow();
    return true;
}

void TextReader::openMemory(const char* data, std::size_t size)
{
    close();
    memory = data != nullptr ? data : "";
    memorySize = size;
    memoryPos = 0;
    resetWindow();
}

void TextReader::close()
{
    if (file != nullptr)
        std::fclose(file);
    file = nullptr;
    memory = nullptr;
    memorySize = memoryPos = 0;
    pos = end = nullptr;
    rawLimit = UINT64_MAX;
}

void TextReader::resetWindow()
{
    if (!buffer)
        buffer.reset(new char[blockSize]);
    pos = end = buffer.get();
    carriedCr = sourceDone = ended = exceeded = false;
    rawCount = 0;
}

std::optional<bool> TextReader::holdsMoreThan(long bytes)
{
    bool more = false;
    if (memory != nullptr) {
        more = memorySize > static_cast<std::size_t>(bytes);
    } else {
        // Probing for a byte past the limit needs no 64-bit offset type, which
        // the narrow stream functions do not offer everywhere.
        if (file == nullptr || std::fseek(file, bytes, SEEK_SET) != 0)
            return std::nullopt;
        more = std::fgetc(file) != EOF;
        if (std::ferror(file) || std::fseek(file, 0, SEEK_SET) != 0)
            return std::nullopt;
    }
    rewind(0);
    return more;
}

void TextReader::rewind(long offset)
{
    if (!isOpen())
        return;
    resetWindow();
    if (memory != nullptr) {
        memoryPos = std::min(static_cast<std::size_t>(offset), memorySize);
    } else {
        std::clearerr(file);
        if (std::fseek(file, offset, SEEK_SET) != 0)
            sourceDone = true;  // a failed seek reads as the end of the input
    }
    rawCount = static_cast<std::uint64_t>(offset);
}

std::size_t TextReader::readRaw(char* to, std::size_t wanted)
{
    // One byte more than the limit allows, so that a source over it shows.
    if (rawLimit != UINT64_MAX) {
        const std::uint64_t allowed = rawCount > rawLimit ? 0 : rawLimit + 1 - rawCount;
        if (wanted > allowed)
            wanted = static_cast<std::size_t>(allowed);
    }
    std::size_t got = 0;
    if (memory != nullptr) {
        got = std::min(wanted, memorySize - memoryPos);
        std::memcpy(to, memory + memoryPos, got);
        memoryPos += got;
    } else if (file != nullptr && wanted > 0) {
        got = std::fread(to, 1, wanted, file);
    }
    rawCount += got;
    if (rawCount > rawLimit) {
        exceeded = true;
        got -= static_cast<std::size_t>(rawCount - rawLimit);
    }
    return got;
}

// Turns every CR LF pair of the block into a single LF, in place. The bytes
// between two CRs move as one run.
std::size_t TextReader::collapseCrLf(std::size_t n)
{
    char* const start = buffer.get();
    const char* const stop = start + n;
    char* cr = static_cast<char*>(std::memchr(start, '\r', n));
    if (cr == nullptr)
        return n;
    char* out = cr;
    const char* in = cr;
    while (in != stop) {
        // in is at a CR; the CR of a pair is dropped, a lone CR stays.
        if (in + 1 != stop && in[1] == '\n')
            ++in;
        const auto rest = static_cast<std::size_t>(stop - in - 1);
        const auto* next = static_cast<const char*>(std::memchr(in + 1, '\r', rest));
        const char* const runEnd = next != nullptr ? next : stop;
        std::memmove(out, in, static_cast<std::size_t>(runEnd - in));
        out += runEnd - in;
        in = runEnd;
    }
    return static_cast<std::size_t>(out - start);
}

bool TextReader::refill()
{
    if (ended || !isOpen())
        return false;
    char* const start = buffer.get();
    while (!sourceDone || carriedCr) {
        std::size_t n = 0;
        if (carriedCr) {
            start[n++] = '\r';
            carriedCr = false;
        }
        if (!sourceDone) {
            std::size_t got = readRaw(start + n, blockSize - n);
            if (got == 0 || exceeded)
                sourceDone = true;
            if (const void* sub = std::memchr(start + n, 0x1A, got)) {
                got = static_cast<std::size_t>(static_cast<const char*>(sub) - (start + n));
                sourceDone = true;
            }
            n += got;
        }
        n = collapseCrLf(n);
        // A CR at the end of the block may be the first half of a CR LF pair.
        if (!sourceDone && n > 0 && start[n - 1] == '\r') {
            carriedCr = true;
            --n;
        }
        if (n > 0) {
            pos = start;
            end = start + n;
            return true;
        }
    }
    ended = true;
    pos = end = start;
    return false;
}

SpanEnd endOfLongSpan(const char* from, const char* to, std::uint32_t line, std::uint32_t column)
{
    const char* lineStart = nullptr;
    for (const char* p = from;
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(to - p)))) != nullptr;
         ++p) {
        ++line;
        lineStart = p + 1;
    }
    if (lineStart != nullptr)
        column = 1 + static_cast<std::uint32_t>(to - lineStart);
    else
        column += static_cast<std::uint32_t>(to - from);
    return {line, column};
}
