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

    // Whether the source holds more than the given number of bytes; empty when
    // that cannot be told. Leaves the reading position at the start.
    std::optional<bool> holdsMoreThan(long bytes);

    // Puts the reading position at a raw byte offset and clears the end of input.
    void rewind(long offset);

    const char* next() const { return pos; }
    const char* limit() const { return end; }
    void advance(const char* to) { pos = to; }
    // Loads the next block; false once the input has ended.
    bool refill();

    int peek() { return (pos != end || refill()) ? static_cast<unsigned char>(*pos) : -1; }
    int get() { return (pos != end || refill()) ? static_cast<unsigned char>(*pos++) : -1; }

private:
    std::size_t readRaw(char* to, std::size_t wanted);
    std::size_t collapseCrLf(std::size_t n);
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
    bool exceeded = false;
};

// The line and column after a long span, found from LF to LF with memchr.
struct SpanEnd {
    std::uint32_t line;
    std::uint32_t column;
};
SpanEnd endOfLongSpan(const char* from, const char* to, std::uint32_t line, std::uint32_t column);

// Moves a line and column over the bytes [from, to) as the validator counts
// them: every byte advances the column by one, an LF starts the next line.
// Most spans are a line end and an indent between two tags, cheaper to count
// byte by byte here than through a call per LF.
inline void advancePosition(const char* from, const char* to, std::uint32_t& line, std::uint32_t& column)
{
    // The counters go by value and come back as values, so that a caller can
    // keep them in registers. Counted in locals: the bytes are chars, which
    // may alias the counters, and would force a store and a reload per byte.
    if (to - from > 16) {
        const SpanEnd after = endOfLongSpan(from, to, line, column);
        line = after.line;
        column = after.column;
        return;
    }
    std::uint32_t atLine = line;
    std::uint32_t atColumn = column;
    for (const char* p = from; p != to; ++p) {
        // Without a branch: line ends and indents alternate too often for a
        // prediction to hold.
        const bool lineFeed = *p == '\n';
        atLine += lineFeed ? 1 : 0;
        atColumn = lineFeed ? 1 : atColumn + 1;
    }
    line = atLine;
    column = atColumn;
}
