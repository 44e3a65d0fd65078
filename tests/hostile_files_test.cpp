// Files and names that no tip-file program expects: things that are no regular
// file, files at the size limit, files that change under the check, strange
// names. Each is answered with the validator's own message, at once and with
// bounded memory. And the tip file itself is never touched: same bytes, same
// times, opened for reading only, with no lock that keeps others out.
#include <fcntl.h>
#include <grp.h>
#include <malloc.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <new>
#include <sstream>
#include <thread>

#include "error_excerpt.h"
#include "lvx_parser.h"
#include "test_files.h"
#include "text_reader.h"

// ---------------------------------------------------------------------------
// Memory: every operator new of this program is counted, so that a test can
// read the peak of the bytes held during one check.

namespace {
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* counted(void* p)
{
    if (p == nullptr)
        throw std::bad_alloc();
    const std::size_t now = liveBytes += malloc_usable_size(p);
    std::size_t peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void released(void* p) noexcept
{
    if (p != nullptr) {
        liveBytes -= malloc_usable_size(p);
        std::free(p);
    }
}
}  // namespace

void* operator new(std::size_t n) { return counted(std::malloc(n != 0 ? n : 1)); }
void* operator new[](std::size_t n) { return counted(std::malloc(n != 0 ? n : 1)); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    void* p = std::malloc(n != 0 ? n : 1);
    return p != nullptr ? counted(p) : nullptr;
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
{
    void* p = std::malloc(n != 0 ? n : 1);
    return p != nullptr ? counted(p) : nullptr;
}
void operator delete(void* p) noexcept { released(p); }
void operator delete[](void* p) noexcept { released(p); }
void operator delete(void* p, std::size_t) noexcept { released(p); }
void operator delete[](void* p, std::size_t) noexcept { released(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { released(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { released(p); }

namespace {

using lvxtest::Result;
using lvxtest::at;
using lvxtest::bare;
using lvxtest::correct;
using lvxtest::tempPath;
using lvxtest::writeFile;
namespace text = lvxtest::text;
namespace fs = std::filesystem;

constexpr std::size_t sizeLimit = 4194304;
constexpr std::size_t MiB = 1024 * 1024;

// The bytes held at most while it runs, beyond what was held before.
template <typename F>
std::size_t peakOf(F&& run)
{
    const std::size_t before = liveBytes.load();
    peakBytes = before;
    run();
    return peakBytes.load() - before;
}

Result resultOf(const lvxParser& parser)
{
    return Result{parser.errorMessage(), parser.errorLine(), parser.errorColumn()};
}

struct Pieces {
    std::string before;
    std::string faulty;
    std::string after;
    std::uint32_t startLine = 1;
    std::uint32_t endLine = 1;
    bool operator==(const Pieces& o) const
    {
        return before == o.before && faulty == o.faulty && after == o.after &&
               startLine == o.startLine && endLine == o.endLine;
    }
};

void PrintTo(const Pieces& p, std::ostream* out)
{
    *out << "{\"" << p.before << "\", \"" << p.faulty << "\", \"" << p.after << "\", "
         << p.startLine << ", " << p.endLine << "}";
}

Pieces excerptOf(const std::string& name, std::uint32_t line, std::uint32_t column)
{
    ErrorExcerpt excerpt(name);
    excerpt.build(line, column);
    return Pieces{excerpt.textBefore, excerpt.errorText, excerpt.textAfter, excerpt.startLine,
                  excerpt.endLine};
}

const Pieces emptyExcerpt{};

// The check and the excerpt of a name, on a thread of their own: if they
// block (on a FIFO, say), the FIFO is opened for writing to set them free and
// the test fails instead of hanging.
struct Answer {
    Result result;
    Pieces excerpt;
    std::size_t peak = 0;
};

Answer answerGuarded(const std::string& name, std::uint32_t line = 1, std::uint32_t column = 1)
{
    auto work = std::async(std::launch::async, [name, line, column] {
        Answer answer;
        answer.peak = peakOf([&] {
            lvxParser parser;
            parser.fileName = name;
            parser.parse();
            answer.result = resultOf(parser);
            answer.excerpt = excerptOf(name, line, column);
        });
        return answer;
    });
    if (work.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "the check of " << name << " blocks";
        const int release = open(name.c_str(), O_WRONLY | O_NONBLOCK);
        if (release >= 0)
            close(release);
    }
    return work.get();
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A small document with a faulty number: its place and the excerpt's piece.
const std::string faultyLotto =
    "<qarn>\n<versionsNr>3</versionsNr>\n<wsArt>17</wsArt>\n"
    "<schein><lottoTipp>01,02,03,04,05,46</lottoTipp></schein>\n</qarn>\n";
// A function, since the message texts are globals of another file.
Result faultyLottoPlace() { return at(text::content, 4, 35); }
const Pieces faultyLottoExcerpt{"<qarn>\r\n<versionsNr>3</versionsNr>\r\n<wsArt>17</wsArt>\r\n"
                                "<schein><lottoTipp>01,02,03,04,05,",
                                "46", "</lottoTipp></schein>\r\n</qarn>\r\n", 1, 6};

// ---------------------------------------------------------------------------
// Things that are no regular file: refused before they are opened.

TEST(HostileFiles, NoRegularFileIsOpenedOrRead)
{
    const std::string directory = tempPath("verzeichnis.lvx");
    ASSERT_TRUE(fs::create_directory(directory));
    const std::string fifo = tempPath("fifo.lvx");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const std::string zero = tempPath("x.lvx");
    ASSERT_EQ(0, symlink("/dev/zero", zero.c_str()));
    const std::string urandom = tempPath("zufall.lvx");
    ASSERT_EQ(0, symlink("/dev/urandom", urandom.c_str()));
    const std::string dangling = tempPath("ins-leere.lvx");
    ASSERT_EQ(0, symlink(tempPath("gibt-es-nicht.lvx").c_str(), dangling.c_str()));
    const std::string loopA = tempPath("schleife-a.lvx");
    const std::string loopB = tempPath("schleife-b.lvx");
    ASSERT_EQ(0, symlink(loopB.c_str(), loopA.c_str()));
    ASSERT_EQ(0, symlink(loopA.c_str(), loopB.c_str()));
    const std::string self = tempPath("selbst.lvx");
    ASSERT_EQ(0, symlink(self.c_str(), self.c_str()));
    const std::string linkToDirectory = tempPath("zum-verzeichnis.lvx");
    ASSERT_EQ(0, symlink(directory.c_str(), linkToDirectory.c_str()));

    const struct {
        const char* reason;
        std::string name;
    } rows[] = {
        {"a directory", directory},
        {"a FIFO: opening it for reading would wait for a writer", fifo},
        {"a link named x.lvx to /dev/zero, which never ends", zero},
        {"a link to /dev/urandom, endless and random", urandom},
        {"a link that points nowhere", dangling},
        {"two links that point at each other", loopA},
        {"a link to itself", self},
        {"a link to a directory", linkToDirectory},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const Answer answer = answerGuarded(row.name, 1, 1);
        EXPECT_EQ(bare(text::open), answer.result);
        EXPECT_EQ(emptyExcerpt, answer.excerpt) << "the excerpt stays empty";
        EXPECT_LT(answer.peak, 1 * MiB) << "nothing is read";
    }
}

// Without read permission the file is refused by the open itself. As root,
// which may read everything, the check runs in a child process that has
// given up root for the unprivileged user 65534.
TEST(HostileFiles, FileWithoutReadPermission)
{
    const std::string folder = tempPath("rechte");
    ASSERT_TRUE(fs::create_directory(folder));
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(lvxtest::tempDir(), fs::perms::others_exec | fs::perms::group_exec,
                    fs::perm_options::add);
    const std::string readable = folder + "/lesbar.lvx";
    const std::string locked = folder + "/gesperrt.lvx";
    {
        std::ofstream(readable, std::ios::binary) << faultyLotto;
        std::ofstream(locked, std::ios::binary) << faultyLotto;
    }
    ASSERT_EQ(0, chmod(readable.c_str(), 0444));
    ASSERT_EQ(0, chmod(locked.c_str(), 0200));  // written by its owner, read by nobody

    if (geteuid() != 0) {
        EXPECT_EQ(faultyLottoPlace(), lvxtest::checkName(readable));
        EXPECT_EQ(bare(text::open), lvxtest::checkName(locked));
        EXPECT_EQ(emptyExcerpt, excerptOf(locked, faultyLottoPlace().line, faultyLottoPlace().column));
        return;
    }
    int results[2];
    ASSERT_EQ(0, pipe(results));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(results[0]);
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(3);
        // What the unprivileged user reads: the readable file's place, and the
        // message and excerpt of the locked one, one per line.
        std::string report;
        lvxParser first;
        first.fileName = readable;
        first.parse();
        report += std::to_string(first.errorLine()) + "," + std::to_string(first.errorColumn()) + "\n";
        lvxParser second;
        second.fileName = locked;
        second.parse();
        report += second.errorMessage() + "\n";
        ErrorExcerpt excerpt(locked);
        excerpt.build(4, 35);
        report += excerpt.textBefore + excerpt.errorText + excerpt.textAfter + "|" +
                  std::to_string(excerpt.startLine) + "," + std::to_string(excerpt.endLine) + "\n";
        const bool written = write(results[1], report.data(), report.size()) ==
                             static_cast<ssize_t>(report.size());
        _exit(written ? 0 : 4);
    }
    close(results[1]);
    std::string report;
    char block[4096];
    for (ssize_t n; (n = read(results[0], block, sizeof block)) > 0;)
        report.append(block, static_cast<std::size_t>(n));
    close(results[0]);
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "running as root, and root cannot give up its rights here";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ("4,35\n" + text::open + "\n|1,1\n", report)
        << "the readable file proves the child reaches the folder; the locked one is refused "
           "and its excerpt stays empty";
}

// ---------------------------------------------------------------------------
// Empty and full-size files, one piece from the first byte to the last.

TEST(HostileFiles, EmptyFileAndFilesOfExactlyTheSizeLimit)
{
    const std::string header = "<qarn><versionsNr>";
    const std::size_t lineOfCrLf = sizeLimit / 2 + 1;
    const struct {
        const char* reason;
        std::string bytes;
        Result expected;
        Pieces excerptHead;  // the excerpt's faulty piece and line numbers (texts cut short)
    } rows[] = {
        {"an empty file", "", bare(text::encoding), {}},
        {"one single tag, closed by its last byte: not the root element",
         "<" + std::string(sizeLimit - 2, 'a') + ">", at(text::element, 1, 1),
         {"", "<" + std::string(sizeLimit - 2, 'a') + ">", "", 1, 2}},
        {"one single tag that is never closed", "<" + std::string(sizeLimit - 1, 'a'),
         at(text::unclosed, 1, sizeLimit + 1), {"", "\xB7", "", 1, 2}},
        {"one single content where the root element should begin", std::string(sizeLimit, 'a'),
         at(text::notWellFormed, 1, 1), {"", std::string(sizeLimit, 'a'), "", 1, 2}},
        {"one single content that fills the file up to its last byte: the version text",
         header + std::string(sizeLimit - header.size(), '3'), at(text::unclosed, 1, sizeLimit + 1),
         {"", "\xB7", "", 1, 2}},
        {"nothing but line feeds", std::string(sizeLimit, '\n'),
         at(text::unclosed, sizeLimit + 1, 1), {"", "\xB7", "", sizeLimit - 2, sizeLimit + 2}},
        {"nothing but CR LF pairs", lvxtest::repeat("\r\n", sizeLimit / 2),
         at(text::unclosed, lineOfCrLf, 1), {"", "\xB7", "", lineOfCrLf - 3, lineOfCrLf + 1}},
        {"one byte over the limit", std::string(sizeLimit + 1, '<'), bare(text::limit), {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const std::string path = writeFile("gross.lvx", row.bytes);
        Result result;
        Pieces excerpt;
        const std::size_t peak = peakOf([&] {
            result = lvxtest::checkName(path);
            if (result.line != 0)
                excerpt = excerptOf(path, result.line, result.column);
        });
        EXPECT_EQ(row.expected, result);
        EXPECT_EQ(row.expected, lvxtest::checkMemory(row.bytes)) << "the same from memory";
        // A tag or content is collected whole, and the excerpt holds the file
        // once more: a few times the file's size, never more.
        EXPECT_LT(peak, 7 * sizeLimit) << "bytes held: " << peak;
        if (result.line != 0) {
            EXPECT_EQ(row.excerptHead.faulty, excerpt.faulty);
            EXPECT_EQ(row.excerptHead.startLine, excerpt.startLine);
            EXPECT_EQ(row.excerptHead.endLine, excerpt.endLine);
            EXPECT_EQ("", excerpt.after);
        }
        fs::remove(path);
    }
}

// ---------------------------------------------------------------------------
// The file changes after the check, before the excerpt reads it again: the
// excerpt shows what is there, or stays empty.

TEST(HostileFiles, FileChangedBetweenCheckAndExcerpt)
{
    const struct {
        const char* reason;
        void (*change)(const std::string& path);
        Pieces expected;
    } rows[] = {
        {"deleted", [](const std::string& path) { fs::remove(path); }, emptyExcerpt},
        {"truncated to nothing", [](const std::string& path) { fs::resize_file(path, 0); },
         {"", "\xB7", "", 1, 2}},
        {"truncated to its first two lines: the place lies past the end",
         [](const std::string& path) { fs::resize_file(path, faultyLotto.find("<wsArt>")); },
         {"<qarn>\r\n<versionsNr>3</versionsNr>\r\n", "\xB7", "", 1, 4}},
        {"truncated inside the faulty number",
         [](const std::string& path) { fs::resize_file(path, faultyLotto.find("46") + 1); },
         {faultyLottoExcerpt.before, "4", "", 1, 5}},
        {"replaced by another file under the same name",
         [](const std::string& path) {
             const std::string other = writeFile("andere.lvx", "a\nb\nc\n0123456789012345678901234567890123<x>\n");
             fs::rename(other, path);
         },
         {"a\r\nb\r\nc\r\n0123456789012345678901234567890123", "<x>", "\n", 1, 5}},
        {"replaced by a directory",
         [](const std::string& path) {
             fs::remove(path);
             fs::create_directory(path);
         },
         emptyExcerpt},
        {"replaced by a FIFO: refused, the excerpt does not wait",
         [](const std::string& path) {
             fs::remove(path);
             mkfifo(path.c_str(), 0600);
         },
         emptyExcerpt},
        {"grown by a line", [](const std::string& path) { std::ofstream(path, std::ios::app) << "<mehr/>\n"; },
         {faultyLottoExcerpt.before, "46", "</lottoTipp></schein>\r\n</qarn>\r\n<mehr/>\r\n", 1, 7}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const std::string path = writeFile("wechsel.lvx", faultyLotto);
        ASSERT_EQ(faultyLottoPlace(), lvxtest::checkName(path));
        row.change(path);
        const Answer answer = answerGuarded(path, faultyLottoPlace().line, faultyLottoPlace().column);
        EXPECT_EQ(row.expected, answer.excerpt);
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
}

// ---------------------------------------------------------------------------
// A file that grows while it is checked is cut at the size limit: the answer
// is the limit message, or the result of the file as it stood while the check
// read it. Never a hang, never more than the limit read.

TEST(HostileFiles, FileGrowingWhileItIsChecked)
{
    // More than the limit in memory: refused as a file of that size would be.
    const std::string overLimit = "<qarn" + std::string(sizeLimit - 4, 'a');
    EXPECT_EQ(bare(text::limit), lvxtest::checkMemory(overLimit));

    // An unclosed tag that a writer makes longer: every state of the file has
    // the unclosed-tag message just past its last byte.
    const std::size_t start = sizeLimit - 256 * 1024;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::string path = writeFile("waechst.lvx", "<qarn" + std::string(start - 5, 'a'));
        const int out = open(path.c_str(), O_WRONLY | O_APPEND);
        ASSERT_GE(out, 0);
        std::atomic<bool> stop{false};
        std::thread writer([out, &stop] {
            const std::string block(16 * 1024, 'a');
            for (std::size_t written = start; written < 2 * sizeLimit && !stop; written += block.size())
                if (write(out, block.data(), block.size()) != static_cast<ssize_t>(block.size()))
                    break;
        });
        Result result;
        const std::size_t peak = peakOf([&] { result = lvxtest::checkName(path); });
        stop = true;
        writer.join();
        close(out);
        if (result.message == text::limit) {
            EXPECT_EQ(bare(text::limit), result);
        } else {
            EXPECT_EQ(at(text::unclosed, 1, result.column), result);
            EXPECT_GE(result.column, start + 1);
            EXPECT_LE(result.column, sizeLimit + 1) << "never more than the limit read";
        }
        EXPECT_LT(peak, 5 * sizeLimit);
        fs::remove(path);
    }
}

// ---------------------------------------------------------------------------
// Names: as the name field or the command line may hand them over.

TEST(HostileNames, EachNameGetsTheValidatorsAnswer)
{
    const std::string folder = lvxtest::tempDir();
    auto make = [](const std::string& name) { return writeFile(name, faultyLotto); };
    // A path of more than 260 bytes made of short folders: open as any other.
    std::string deep = folder;
    while (deep.size() < 300)
        deep += "/ordner-mit-einem-langen-namen";
    fs::create_directories(deep);
    const std::string deepFile = deep + "/tipps.lvx";
    std::ofstream(deepFile, std::ios::binary) << faultyLotto;

    const std::string blanks = make("mit leer zeichen.lvx");
    const std::string leadingBlank = make(" vorne.lvx");
    const std::string notUtf8 = make("\xFF\xFE\x80\xE4.lvx");
    const std::string withQuote = make("\"halb.lvx");
    const std::string withNewline = make("zwei\nzeilen.lvx");

    const struct {
        const char* reason;
        std::string name;
        Result expected;
        bool excerpt;  // the excerpt under the same name finds the file
    } rows[] = {
        {"empty", "", bare(text::noFile), false},
        {"one double quote: the pair of enclosing quotes is that one byte, the rest is empty",
         "\"", bare(text::fileName), false},
        {"two double quotes: empty after the pair is removed, which is no tip-file name", "\"\"",
         bare(text::fileName), false},
        {"three double quotes: one is left", "\"\"\"", bare(text::fileName), false},
        {"a path of more than 260 bytes", deepFile, faultyLottoPlace(), true},
        {"the same path in quotes", "\"" + deepFile + "\"", faultyLottoPlace(), true},
        {"one name of 260 bytes: longer than a file system allows",
         folder + "/" + std::string(256, 'n') + ".lvx", bare(text::open), false},
        {"a name of 5000 bytes, over the longest path", folder + "/" + lvxtest::repeat("n/", 2500) + ".lvx",
         bare(text::open), false},
        {"a name of 1 MiB", std::string(MiB - 4, 'n') + ".lvx", bare(text::open), false},
        {"blanks inside", blanks, faultyLottoPlace(), true},
        {"blanks inside, in quotes", "\"" + blanks + "\"", faultyLottoPlace(), true},
        {"a blank in front of the file name", leadingBlank, faultyLottoPlace(), true},
        {"a blank after the extension", blanks + " ", bare(text::fileName), false},
        {"bytes that are no UTF-8", notUtf8, faultyLottoPlace(), true},
        {"a double quote at one end only stays part of the name", withQuote, faultyLottoPlace(), true},
        {"a line feed inside", withNewline, faultyLottoPlace(), true},
        {"the extension in capitals", folder + "/TIPPS.LVX", bare(text::fileName), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const Answer answer = answerGuarded(row.name, faultyLottoPlace().line, faultyLottoPlace().column);
        EXPECT_EQ(row.expected, answer.result);
        EXPECT_EQ(row.excerpt ? faultyLottoExcerpt : emptyExcerpt, answer.excerpt);
        EXPECT_LT(answer.peak, 8 * row.name.size() + 1 * MiB) << "a few copies of the name at most";
    }
}

// ---------------------------------------------------------------------------
// The tip file is never touched.

struct FileState {
    std::string bytes;
    struct stat info {};
};

FileState stateOf(const std::string& path)
{
    FileState state;
    state.bytes = readAll(path);
    stat(path.c_str(), &state.info);
    return state;
}

bool sameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

TEST(TipFileUntouched, BytesAndTimesStayAsTheyWere)
{
    const struct {
        const char* reason;
        std::string bytes;
    } rows[] = {
        {"a correct file", readAll(std::string(QUORVEL_SOURCE_DIR) + "/examples/lotto.lvx")},
        {"a file with an error and an excerpt", faultyLotto},
        {"CR LF, a byte-order mark and a 0x1A", "\xEF\xBB\xBF" + lvxtest::crlf(faultyLotto) + "\x1A rest"},
        {"not UTF-8", "<qarn>\xFF</qarn>"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const std::string path = writeFile("unberuehrt.lvx", row.bytes);
        // A time long past, so that any write would show even on a coarse clock.
        const timespec past[2] = {{978307200, 0}, {978307200, 0}};
        ASSERT_EQ(0, utimensat(AT_FDCWD, path.c_str(), past, 0));
        const FileState before = stateOf(path);

        lvxParser parser;
        parser.fileName = path;
        parser.parse();
        if (parser.errorLine() != 0)
            excerptOf(path, parser.errorLine(), parser.errorColumn());
        const std::string cli = std::string(QUORVEL_BINARY) + " --json '" + path + "' >/dev/null";
        ASSERT_NE(-1, std::system(cli.c_str()));

        const FileState after = stateOf(path);
        EXPECT_EQ(before.bytes, after.bytes);
        EXPECT_TRUE(sameTime(before.info.st_mtim, after.info.st_mtim)) << "modification time";
        // The change time moves with every write, truncation, chmod or chown.
        EXPECT_TRUE(sameTime(before.info.st_ctim, after.info.st_ctim)) << "change time";
        EXPECT_EQ(before.info.st_mode, after.info.st_mode);
        EXPECT_EQ(before.info.st_ino, after.info.st_ino) << "the same file, not a new one";
        fs::remove(path);
    }
}

// The reader that the check and the excerpt open the file with: while it holds
// the file, its descriptor is read-only, and another process opens the file
// for writing, takes every kind of lock on it and writes to it.
TEST(TipFileUntouched, HeldReadOnlyAndOpenToOthers)
{
    const std::string path = writeFile("geteilt.lvx", faultyLotto);
    TextReader reader;
    ASSERT_TRUE(reader.open(path));
    ASSERT_GE(reader.get(), 0) << "the reader holds the file and has read from it";

    // Find the reader's descriptor among this process's open files.
    int flags = -1;
    int found = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(entry.path(), error) != fs::canonical(path))
            continue;
        ++found;
        std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
        for (std::string key; info >> key;) {
            if (key == "flags:") {
                std::string octal;
                info >> octal;
                flags = static_cast<int>(std::stol(octal, nullptr, 8));
            }
        }
    }
    ASSERT_EQ(1, found) << "one descriptor of the file";
    EXPECT_EQ(O_RDONLY, flags & O_ACCMODE) << "opened for reading only";
    EXPECT_EQ(0, flags & (O_APPEND | O_TRUNC | O_CREAT)) << "flags " << std::oct << flags;

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int out = open(path.c_str(), O_WRONLY | O_APPEND);
        struct flock range {};
        range.l_type = F_WRLCK;
        range.l_whence = SEEK_SET;
        const bool ok = out >= 0 && flock(out, LOCK_EX | LOCK_NB) == 0 &&
                        fcntl(out, F_SETLK, &range) == 0 && write(out, "<!-- -->", 8) == 8 &&
                        close(out) == 0;
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "another process could not write to or lock the file while the reader held it";
    reader.close();
    EXPECT_EQ(faultyLotto + "<!-- -->", readAll(path));
}

// Seen from the kernel: every system call of the command-line checker that
// names the tip file, through its path or a descriptor of it, only looks at it
// or reads it.
TEST(TipFileUntouched, CheckerOnlyReadsTheFile)
{
    if (std::system("strace -o /dev/null true >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "strace is missing or may not trace here";
    const std::string path = writeFile("beobachtet.lvx", faultyLotto);
    const std::string log = tempPath("strace.log");
    const std::string command = "strace -f -y -qq -s 256 -o '" + log + "' " + QUORVEL_BINARY + " '" +
                                path + "' >/dev/null 2>&1";
    ASSERT_NE(-1, std::system(command.c_str()));

    // The path is also the program's argument, in its execve.
    const char* looking[] = {"execve(", "openat(", "open(", "newfstatat(", "fstat(", "stat(", "lstat(",
                             "statx(", "read(", "pread64(", "lseek(", "close(", "fadvise64(",
                             "access(", "faccessat(", "faccessat2(", "readlink(", "readlinkat("};
    std::ifstream calls(log);
    int opened = 0;
    int readCalls = 0;
    for (std::string call; std::getline(calls, call);) {
        if (call.find(path) == std::string::npos)
            continue;
        SCOPED_TRACE(call);
        const std::size_t name = call.find_first_not_of("0123456789 ");
        const std::string rest = call.substr(name);
        bool allowed = false;
        for (const char* prefix : looking)
            allowed = allowed || rest.rfind(prefix, 0) == 0;
        // fcntl only to ask; a lock or a change of flags would not be asked for.
        if (rest.rfind("fcntl(", 0) == 0)
            allowed = rest.find("F_GET") != std::string::npos;
        EXPECT_TRUE(allowed) << "a system call that does more than look at the file";
        if (rest.rfind("openat(", 0) == 0 || rest.rfind("open(", 0) == 0) {
            ++opened;
            EXPECT_NE(std::string::npos, rest.find("O_RDONLY"));
            for (const char* flag : {"O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND"})
                EXPECT_EQ(std::string::npos, rest.find(flag)) << flag;
        }
        if (rest.rfind("read(", 0) == 0)
            ++readCalls;
    }
    EXPECT_EQ(2, opened) << "opened once for the check and once for the excerpt";
    EXPECT_GE(readCalls, 2);
}

}  // namespace
