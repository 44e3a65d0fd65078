#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text_reader.h"

// Checks one tip file against the interface description and stops at the
// first deviation. One object checks one file:
//
//     lvxParser parser;
//     parser.fileName = name;
//     parser.parse();          // errorMessage() empty: the file is correct
//
// Inside the document check a deviation is thrown as an Error and caught in
// exactly one place, parse(). A deviation with a place is thrown with the
// place as an offset into the text; its line and column are counted only
// then, so that a correct file costs no counting at all.
class lvxParser {
public:
    // The result of a check: the message shown to the user, and its place
    // (line and column both 0 when the error has none).
    struct Error {
        std::string message;
        std::uint32_t line = 0;
        std::uint32_t column = 0;

        Error() = default;
        explicit Error(std::string text) : message(std::move(text)) {}
        Error(std::string text, std::uint32_t errorLine, std::uint32_t errorColumn)
            : message(std::move(text)), line(errorLine), column(errorColumn) {}
    };

    // Files above this size are refused unread.
    static constexpr long maxFileSize = 4L * 1024 * 1024;
    static constexpr unsigned maxTickets = 1000;

    lvxParser() = default;
    lvxParser(const lvxParser&) = delete;
    lvxParser& operator=(const lvxParser&) = delete;

    // The name of the file to check, as the narrow file functions take it;
    // one pair of enclosing double quotes is removed by parse().
    std::string fileName;

    const std::string& parse();
    // The same check over bytes in memory, as if they were the file's bytes;
    // the name rules still apply to fileName.
    const std::string& parseMemory(const char* data, std::size_t size);

    const std::string& errorMessage() const { return result.message; }
    std::uint32_t errorLine() const { return result.line; }
    std::uint32_t errorColumn() const { return result.column; }

    // Composes "Die Datei enthält in der Zeile L, Spalte C <text>".
    static Error positionError(const char* text, std::uint32_t line, std::uint32_t column);

private:
    // The run (run.cpp)
    void reset();
    bool acceptFileName();
    bool openInput();
    bool checkFirstBytes();
    void checkDocument();

    // A deviation at a place: the byte offset in the delivered text, and the
    // columns to add to the column of that byte.
    struct PlacedError {
        const char* text;
        std::uint64_t offset;
        std::uint32_t extraColumns;
    };
    struct Place {
        std::uint32_t line;
        std::uint32_t column;
    };
    Place placeOf(std::uint64_t offset);

    // Reader and scanner (scanner.cpp)
    bool moreInput() { return file.next() != file.limit() || fillInput(); }
    bool fillInput();
    int peekByte() { return moreInput() ? static_cast<unsigned char>(*file.next()) : -1; }
    std::uint64_t offsetHere() const { return file.offsetOf(file.next()); }
    void collectText(std::string& store, std::string_view& text, char stop);
    void finishReading();
    void skipWhitespace();
    void readTag();
    void readTagSlowly();
    bool isComment() const;
    void skipComments();
    void nextTag();
    inline void nextTag(std::string_view likely);  // scanner_inline.h
    inline void readContent();  // scanner_inline.h
    // The comparisons run for nearly every tag read: inline, so that the
    // expected name's length is known where it is compared.
    void expectTag(std::string_view expected) const
    {
        if (tagName != expected)
            failExpected(expected);
    }
    void requireTag(std::string_view expected) const
    {
        if (tagName != expected)
            failRequired(expected);
    }
    bool tagIs(std::string_view name) const { return tagName == name; }
    [[noreturn]] void failExpected(std::string_view expected) const;
    [[noreturn]] void failRequired(std::string_view expected) const;
    [[noreturn]] void failAt(const char* text, std::uint64_t offset, std::uint32_t extraColumns = 0) const;
    [[noreturn]] void failInContent(std::size_t offset) const;

    // Prolog (prolog.cpp)
    void parseProlog();
    bool checkDeclaration() const;

    // Header (header.cpp)
    void parseHeader();
    void readVersion();
    std::uint32_t checkNumber(std::uint32_t maxValue) const;
    int checkWsArt() const;
    void checkTnDauer() const;
    void checkFilter() const;
    void readNumberElement(const char* closingTag, std::uint32_t maxValue);

    // Joker block (joker.cpp)
    void parseJoker();

    // Body and dispatch (body.cpp)
    void parseBody();
    void checkTicket();
    inline bool nextTip(std::string_view tipTag, int tipsSoFar);  // scanner_inline.h

    // Number lists and lotto (lotto.cpp)
    void checkNumberList(std::uint32_t count, std::uint32_t maxValue) const;
    template <std::uint32_t count>
    void readNumberList(std::uint32_t maxValue);
    void checkLottoTicket();

    // Toto and torwette (toto.cpp)
    void checkTotoTicket();
    void checkTotoText() const;
    void checkTorwetteTipp();

    // Number-and-star (star_ticket.cpp)
    void checkStarTicket(std::uint32_t maxStar);

    // The current tag's text and the last content: views of the reader's
    // window where they lie whole in it, else of the stores below. Valid until
    // the next read, and used only before it.
    std::string_view tagName;
    std::string_view content;
    std::string tagStore;
    std::string contentStore;
    std::string versionText;
    std::uint64_t tagPlace = 0;  // where the current tag or content begins
    std::uint32_t versionMajor = 0;
    std::uint32_t versionMinor = 0;
    Error result;
    TextReader file;
    int wsArt = 0;
    std::optional<std::string_view> memoryInput;  // set only during parseMemory
};
