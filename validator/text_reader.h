#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

// Reads a tip file, or a block of memory, through the text-mode discipline of
// the format, applied here so that every platform sees the same bytes: CR LF is
// delivered as LF, a lone CR stays, and a byte 0x1A ends the input.
//
// Bytes are handed out from one owned block buffer: callers look at the window
// [next(), limit()), move past what they used with advance(), and call refill()
// when the window is used up. The end of the input is sticky until rewind().
//
// On request the reader also judges the UTF-8 byte structure of every byte it
// delivers, block by block as it loads them, so that a check reads the file
// only once. And on request it leaves CR LF pairs as they are, for a caller
// that treats them itself where they matter: moving the bytes of every line
// costs more than the few places where a pair can stand.
class TextReader {
public:
    static constexpr std::size_t blockSize = 64 * 1024;

    TextReader() = default;
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // Opens a regular file read-only in binary mode, without any sharing
    // restriction. Refuses directories, FIFOs and devices before opening them,
    // since opening a FIFO for reading would block.
    bool open(const std::string& name);
    // Reads from memory that the caller keeps alive while the reader is open.
    void openMemory(const char* data, std::size_t size);
    void close();
    bool isOpen() const { return file != nullptr || memory != nullptr; }

    // Reads at most maxBytes raw bytes: a source that holds more, a file that
    // grows while it is read say, ends there and reports overLimit().
    void setLimit(std::uint64_t maxBytes) { rawLimit = maxBytes; }
    bool overLimit() const { return exceeded; }

    // Judges the UTF-8 bit patterns of every byte delivered from now on, the
    // first block included when it is loaded already; off again with close()
    // or checkUtf8(false). Only the bit patterns count: over-long forms and
    // encoded surrogates pass.
    void checkUtf8(bool on = true);
    // A delivered byte broke the patterns (sticky until rewind or close).
    bool utf8Broken() const { return brokenUtf8; }
    // The delivered bytes end inside a character; meant for the end of input.
    bool utf8Unfinished() const { return pendingUtf8 > 0; }
    // False when the window certainly holds no NUL byte (known only while
    // UTF-8 is checked), so that callers may skip looking for one.
    bool windowMayHoldNul() const { return mayHoldNul; }

    // Delivers CR LF pairs unchanged from the next block on, until close();
    // a lone CR and 0x1A keep their rules.
    void keepCrLf() { crLfKept = true; }
    // False when the window certainly holds no CR (known only while CR LF is
    // kept).
    bool windowMayHoldCr() const { return mayHoldCr; }

    // Whether the source holds more than the given number of bytes; empty when
    // that cannot be told. Leaves the reading position at the start.
    std::optional<bool> holdsMoreThan(long bytes);

    // Puts the reading position at a raw byte offset and clears the end of input.
    void rewind(long offset);

    const char* next() const { return pos; }
    const char* limit() const { return end; }
    // The number of bytes delivered before p, a place in the window or its
    // end, since the start or the last rewind: where a byte lies in the text.
    std::uint64_t offsetOf(const char* p) const
    {
        return delivered + static_cast<std::uint64_t>(p - buffer.get());
    }
    void advance(const char* to) { pos = to; }
    // Loads the next block; false once the input has ended.
    bool refill();

    int peek() { return (pos != end || refill()) ? static_cast<unsigned char>(*pos) : -1; }
    int get() { return (pos != end || refill()) ? static_cast<unsigned char>(*pos++) : -1; }

private:
    std::size_t readRaw(char* to, std::size_t wanted);
    std::size_t collapseCrLf(std::size_t n);
    void judgeUtf8(const char* from, const char* to);
    void resetWindow();

    std::FILE* file = nullptr;
    const char* memory = nullptr;
    std::size_t memorySize = 0;
    std::size_t memoryPos = 0;

    std::unique_ptr<char[]> buffer;
    const char* pos = nullptr;
    const char* end = nullptr;
    bool carriedCr = false;   // a CR at the end of the last block waits for its LF
    bool sourceDone = false;  // no raw byte is left to read (end, 0x1A or limit)
    bool ended = false;
    std::uint64_t rawCount = 0;
    std::uint64_t rawLimit = UINT64_MAX;
    std::uint64_t delivered = 0;  // bytes in the windows before this one
    bool exceeded = false;
    bool utf8Checked = false;
    bool brokenUtf8 = false;
    bool mayHoldNul = true;
    bool crLfKept = false;
    bool mayHoldCr = true;
    int pendingUtf8 = 0;  // continuation bytes still due
};

// The number of LF bytes in [p, end).
std::size_t countLineFeeds(const char* p, const char* end);
