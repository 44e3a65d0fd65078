#include "text_reader.h"

#include <algorithm>
#include <cstring>

#include "byte_words.h"

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
    utf8Checked = false;
    crLfKept = false;
}

void TextReader::resetWindow()
{
    if (!buffer)
        buffer.reset(new char[blockSize]);
    pos = end = buffer.get();
    carriedCr = sourceDone = ended = exceeded = brokenUtf8 = false;
    mayHoldNul = mayHoldCr = true;
    pendingUtf8 = 0;
    rawCount = 0;
    delivered = 0;
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

using byteWords::bytesEqual;
using byteWords::highBits;
using byteWords::lowestFlagged;

// Turns every CR LF pair of the block into a single LF, in place. The bytes
// between two CRs move eight at a time: a line is a few words, and a library
// call for each line would cost more than the line.
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
        *out++ = *in++;
        // The run up to the next CR. out never passes in, so a word without a
        // CR stored at out overwrites only bytes that have been read. A word
        // with a CR is stored whole too once out lags eight bytes behind:
        // after the first eight pairs of a block, which is nearly always.
        for (;;) {
            if (stop - in < 8) {
                while (in != stop && *in != '\r')
                    *out++ = *in++;
                break;
            }
            const std::uint64_t word = byteWords::load(in);
            const std::uint64_t crs = bytesEqual(word, '\r');
            if (crs == 0) {
                byteWords::store(out, word);
                out += 8;
                in += 8;
                continue;
            }
            const std::size_t k = lowestFlagged(crs);
            if (in - out >= 8) {
                byteWords::store(out, word);
                out += k;
                in += k;
            } else {
                for (std::size_t i = 0; i < k; ++i)
                    *out++ = *in++;
            }
            break;
        }
    }
    return static_cast<std::size_t>(out - start);
}

void TextReader::checkUtf8(bool on)
{
    utf8Checked = on;
    mayHoldNul = true;
    if (on)
        judgeUtf8(pos, end);
}

namespace {

int followingBytes(unsigned char lead)
{
    if (lead < 0x80)
        return 0;
    if (lead < 0xC0)
        return -1;  // a continuation byte where a character must begin
    if (lead < 0xE0)
        return 1;
    if (lead < 0xF0)
        return 2;
    if (lead < 0xF8)
        return 3;
    return -1;
}

}  // namespace

// Blocks are nearly always plain ASCII: one pass for the smallest and the
// largest byte, without an early exit, which compilers turn into vector
// instructions, settles both the encoding and whether a NUL byte is there.
// Other blocks go byte by byte.
void TextReader::judgeUtf8(const char* from, const char* to)
{
    const auto* p = reinterpret_cast<const unsigned char*>(from);
    const auto* const stop = reinterpret_cast<const unsigned char*>(to);
    unsigned char smallest = 0xFF;
    unsigned char largest = 0;
    for (const unsigned char* q = p; q != stop; ++q) {
        smallest = *q < smallest ? *q : smallest;
        largest = *q > largest ? *q : largest;
    }
    mayHoldNul = smallest == 0;
    if (largest < 0x80 && pendingUtf8 == 0)
        return;
    int pending = pendingUtf8;
    while (p != stop) {
        const unsigned char byte = *p++;
        if (pending > 0) {
            if ((byte & 0xC0) != 0x80) {
                brokenUtf8 = true;
                break;
            }
            --pending;
            continue;
        }
        pending = followingBytes(byte);
        if (pending < 0) {
            brokenUtf8 = true;
            break;
        }
        // Between the characters of other scripts runs of ASCII, eight at a time.
        while (pending == 0 && stop - p >= 8 && (byteWords::load(reinterpret_cast<const char*>(p)) & highBits) == 0)
            p += 8;
    }
    pendingUtf8 = brokenUtf8 ? 0 : pending;
}

bool TextReader::refill()
{
    if (ended || !isOpen())
        return false;
    char* const start = buffer.get();
    delivered += static_cast<std::uint64_t>(end - start);
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
        if (crLfKept)
            mayHoldCr = std::memchr(start, '\r', n) != nullptr;
        else
            n = collapseCrLf(n);
        // A CR at the end of the block may be the first half of a CR LF pair.
        if (!crLfKept && !sourceDone && n > 0 && start[n - 1] == '\r') {
            carriedCr = true;
            --n;
        }
        if (n > 0) {
            pos = start;
            end = start + n;
            if (utf8Checked)
                judgeUtf8(pos, end);
            return true;
        }
    }
    ended = true;
    pos = end = start;
    return false;
}

// In runs of 240 bytes, each counted in a single byte and without an early
// exit, which compilers turn into vector instructions: several times faster
// than a library call for each LF. 240 is a multiple of any vector width up
// to 16 bytes, so that no run ends in single bytes.
std::size_t countLineFeeds(const char* p, const char* end)
{
    constexpr int run = 240;
    std::size_t count = 0;
    while (end - p >= run) {
        unsigned char inRun = 0;
        for (int i = 0; i < run; ++i)
            inRun = static_cast<unsigned char>(inRun + (p[i] == '\n'));
        count += inRun;
        p += run;
    }
    for (; p != end; ++p)
        count += *p == '\n';
    return count;
}
