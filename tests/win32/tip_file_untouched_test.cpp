// The tip file is only ever read: while a check holds it open, another
// program may open it for writing, and a check leaves its bytes and its time
// of last writing as they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "error_excerpt.h"
#include "fixture_files.h"
#include "lvx_parser.h"
#include "text_reader.h"

namespace {

HANDLE openForWriting(const std::wstring& path, DWORD share)
{
    return CreateFileW(path.c_str(), GENERIC_WRITE, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string contentOf(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char block[4096];
    DWORD got = 0;
    while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0)
        bytes.append(block, got);
    CloseHandle(file);
    return bytes;
}

FILETIME lastWritten(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

TEST(TipFile, AnotherProgramMayWriteItWhileTheCheckHoldsIt)
{
    const std::wstring path = fixtures::write("held.lvx", fixtures::correctLotto);
    TextReader reader;
    ASSERT_TRUE(reader.open(fixtures::narrow(path)));
    ASSERT_GE(reader.peek(), 0) << "the reader has the file open and has read from it";

    // A writer that lets others only read gets the file only when every
    // handle already open on it is a reading one.
    HANDLE sharingReading = openForWriting(path, FILE_SHARE_READ);
    EXPECT_NE(sharingReading, INVALID_HANDLE_VALUE) << "the check holds the file for writing: " << GetLastError();
    if (sharingReading != INVALID_HANDLE_VALUE)
        CloseHandle(sharingReading);

    HANDLE writer = openForWriting(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE) << "the check restricts sharing: " << GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(writer, "<", 1, &written, nullptr));
    EXPECT_EQ(written, 1u);
    CloseHandle(writer);
}

TEST(TipFile, ACheckAndItsExcerptLeaveTheFileAsItWas)
{
    const std::wstring path = fixtures::write("untouched.lvx", fixtures::numberTooLarge);
    const std::string before = contentOf(path);
    const FILETIME writtenBefore = lastWritten(path);
    ASSERT_FALSE(before.empty());

    lvxParser parser;
    parser.fileName = fixtures::narrow(path);
    parser.parse();
    ASSERT_EQ(parser.errorLine(), 14u);
    ErrorExcerpt excerpt(fixtures::narrow(path));
    excerpt.build(parser.errorLine(), parser.errorColumn());
    EXPECT_EQ(excerpt.errorText, "46");

    EXPECT_EQ(contentOf(path), before);
    const FILETIME writtenAfter = lastWritten(path);
    EXPECT_EQ(CompareFileTime(&writtenBefore, &writtenAfter), 0);
}

}  // namespace
