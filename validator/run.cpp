#include "lvx_parser.h"

#include "messages.h"

// The whole check: the name, the file, its first bytes, then the document.
// Failures before the document is read are stored as they are; from the
// encoding check on they are thrown and caught here, the only place.
const std::string& lvxParser::parse()
{
    reset();
    if (acceptFileName() && openInput() && checkFirstBytes()) {
        try {
            checkDocument();
        } catch (const Error& error) {
            result = error;
        }
    }
    // Closed on every way out, so that no file stays open beyond the check.
    file.close();
    return result.message;
}

const std::string& lvxParser::parseMemory(const char* data, std::size_t size)
{
    memoryInput = std::string_view(data != nullptr ? data : "", size);
    parse();
    memoryInput.reset();
    return result.message;
}

void lvxParser::reset()
{
    tagPlace = 0;
    versionText.clear();
    versionMajor = versionMinor = 0;
    result = Error();
    file.close();
}

bool lvxParser::acceptFileName()
{
    if (fileName.empty()) {
        result = Error(lvxMessages::noFile);
        return false;
    }
    if (fileName.front() == '"' && fileName.back() == '"') {
        fileName.pop_back();
        if (!fileName.empty())
            fileName.erase(0, 1);
    }
    static constexpr char extension[] = ".lvx";
    if (fileName.size() < 5 || fileName.compare(fileName.size() - 4, 4, extension) != 0) {
        result = Error(lvxMessages::fileName);
        return false;
    }
    return true;
}

bool lvxParser::openInput()
{
    if (memoryInput)
        file.openMemory(memoryInput->data(), memoryInput->size());
    else if (!file.open(fileName)) {
        result = Error(lvxMessages::open);
        return false;
    }
    const std::optional<bool> tooLarge = file.holdsMoreThan(maxFileSize);
    if (!tooLarge) {
        result = Error(lvxMessages::open);
        return false;
    }
    if (*tooLarge) {
        result = Error(lvxMessages::limit);
        return false;
    }
    // A file that grows while it is checked is cut off at the same limit.
    file.setLimit(static_cast<std::uint64_t>(maxFileSize));
    file.checkUtf8();
    file.keepCrLf();
    return true;
}

// UTF-16 and UTF-32 files, with or without a byte-order mark, begin with one of
// the bytes 00, FE or FF. A UTF-8 byte-order mark is stepped over; as bytes of
// the text it counts as columns 1 to 3 of line 1.
bool lvxParser::checkFirstBytes()
{
    const int first = file.peek();
    if (first < 0 || first == 0x00 || first == 0xFE || first == 0xFF) {
        result = Error(lvxMessages::encoding);
        return false;
    }
    if (first == 0xEF) {
        if (file.get() != 0xEF || file.get() != 0xBB || file.get() != 0xBF) {
            result = Error(lvxMessages::encoding);
            return false;
        }
    }
    return true;
}

// The encoding of the whole file is judged before its content, and yet the
// file is read only once: the reader judges every block as it loads it, and
// after an error in the content the rest of the file is still read, since a
// broken byte there, or a file beyond the size limit, is the answer instead.
// A byte-order mark is a well-formed character, so judging from the first
// byte on answers as judging from the byte after the mark.
void lvxParser::checkDocument()
{
    if (file.utf8Broken())
        throw Error(lvxMessages::encoding);
    try {
        parseHeader();
        parseBody();
    } catch (const PlacedError& error) {
        finishReading();
        const Place place = placeOf(error.offset);
        throw positionError(error.text, place.line, place.column + error.extraColumns);
    } catch (const Error&) {
        finishReading();
        throw;
    }
}
