#include "fixture_files.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace fixtures {

namespace {

std::vector<std::wstring> written;

std::wstring folder()
{
    static const std::wstring path = [] {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        std::wstring made = std::wstring(temp) + L"quorvel-window-tests-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(made.c_str(), nullptr);
        return made + L"\\";
    }();
    return path;
}

}  // namespace

std::wstring write(const std::string& fileName, const std::string& bytes)
{
    const std::wstring path = folder() + std::wstring(fileName.begin(), fileName.end());
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + fileName);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    written.push_back(path);
    return path;
}

std::string narrow(const std::wstring& path)
{
    const int bytes = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, &text[0], bytes, nullptr, nullptr);
    text.pop_back();
    return text;
}

void removeAll()
{
    for (const std::wstring& path : written)
        DeleteFileW(path.c_str());
    written.clear();
    RemoveDirectoryW(folder().c_str());
}

const char correctLotto[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<qarn>\n"
    "  <versionsNr>3.0</versionsNr>\n"
    "  <kundenNr>123456</kundenNr>\n"
    "  <wsArt>17</wsArt>\n"
    "  <joker>\n"
    "    <anzahlJokerProSchein>1</anzahlJokerProSchein>\n"
    "  </joker>\n"
    "  <schein>\n"
    "    <lottoTipp>03,11,17,28,40,45</lottoTipp>\n"
    "  </schein>\n"
    "</qarn>\n";

const char numberTooLarge[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!-- Die sechste Zahl des dritten Tipps liegt \xC3\xBC" "ber 45. -->\n"
    "<qarn>\n"
    "  <versionsNr>3.0</versionsNr>\n"
    "  <kundenNr>123456</kundenNr>\n"
    "  <wsArt>17</wsArt>\n"
    "  <joker>\n"
    "    <anzahlJokerProSchein>1</anzahlJokerProSchein>\n"
    "  </joker>\n"
    "  <schein>\n"
    "    <lottoTipp>03,11,17,28,40,45</lottoTipp>\n"
    "    <lottoTipp>01,02,03,04,05,06</lottoTipp>\n"
    "  </schein>\n"
    "  <schein><lottoTipp>01,02,03,04,05,46</lottoTipp>\n"
    "  </schein>\n"
    "</qarn>\n";

const char customerNumberWithUmlautAbove[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!-- Tipp f\xC3\xBCr Max -->\n"
    "<qarn>\n"
    "  <versionsNr>3.0</versionsNr>\n"
    "  <kundenNr>12x456</kundenNr>\n"
    "  <wsArt>17</wsArt>\n"
    "</qarn>\n";

const char endsInsideHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<qarn>\n"
    "  <versionsNr>3.0</versionsNr>\n";

}  // namespace fixtures
