// quorvel: checks tip files from the command line, with the validator's own
// messages, one result per file.
#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "error_excerpt.h"
#include "json.h"
#include "lvx_parser.h"
#include "options.h"
#include "result_display.h"
#include "terminal_excerpt.h"

namespace {

constexpr char versionText[] = "Quorvel 02.10";

struct CheckResult {
    std::string message;
    std::uint32_t line = 0;
    std::uint32_t column = 0;
    bool ok = false;
    bool hasPlace() const { return line != 0 && column != 0; }
};

// A fresh validator for every file, as the desktop program does it.
CheckResult check(const std::string& name)
{
    lvxParser parser;
    parser.fileName = name;
    parser.parse();
    CheckResult result;
    result.ok = parser.errorMessage().empty();
    result.message = result.ok ? successMessage : parser.errorMessage();
    result.line = parser.errorLine();
    result.column = parser.errorColumn();
    return result;
}

std::string jsonExcerpt(const ErrorExcerpt& excerpt)
{
    const bool asUtf8 = holdsMultiByteUtf8((excerpt.textBefore + excerpt.errorText + excerpt.textAfter).c_str());
    std::string out = "{\"startLine\": " + std::to_string(excerpt.startLine);
    out += ", \"endLine\": " + std::to_string(excerpt.endLine);
    out += ", \"textBefore\": " + jsonString(excerptPieceAsUtf8(excerpt.textBefore, asUtf8));
    out += ", \"errorText\": " + jsonString(excerptPieceAsUtf8(excerpt.errorText, asUtf8));
    out += ", \"textAfter\": " + jsonString(excerptPieceAsUtf8(excerpt.textAfter, asUtf8));
    return out + "}";
}

void printJson(const std::string& name, const CheckResult& result)
{
    std::string out = "{\"file\": " + jsonString(name);
    out += ", \"ok\": ";
    out += result.ok ? "true" : "false";
    out += ", \"message\": " + jsonString(result.message);
    out += ", \"line\": " + std::to_string(result.line);
    out += ", \"column\": " + std::to_string(result.column);
    if (result.hasPlace()) {
        ErrorExcerpt excerpt(name);
        excerpt.build(result.line, result.column);
        out += ", \"excerpt\": " + jsonExcerpt(excerpt);
    }
    out += "}\n";
    std::fputs(out.c_str(), stdout);
}

void printText(const std::string& name, const CheckResult& result, bool withName, bool color)
{
    std::string out = withName ? name + ": " : std::string();
    out += result.message;
    out += '\n';
    if (result.hasPlace()) {
        ErrorExcerpt excerpt(name);
        excerpt.build(result.line, result.column);
        out += renderExcerpt(excerpt, color);
    }
    std::fputs(out.c_str(), stdout);
}

bool useColor(ColorMode mode)
{
    if (mode != ColorMode::automatic)
        return mode == ColorMode::always;
    const char* noColor = std::getenv("NO_COLOR");
    return isatty(fileno(stdout)) && (noColor == nullptr || *noColor == '\0');
}

int usageError(const std::string& error)
{
    std::fprintf(stderr, "quorvel: %s\n\n%s", error.c_str(), usageText);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = parseOptions(argc, argv);
    if (!options.error.empty())
        return usageError(options.error);
    if (options.help) {
        std::fputs(usageText, stdout);
        return 0;
    }
    if (options.version) {
        std::puts(versionText);
        return 0;
    }
    const bool color = useColor(options.color);
    bool allCorrect = true;
    for (const std::string& name : options.files) {
        const CheckResult result = check(name);
        allCorrect = allCorrect && result.ok;
        if (options.json)
            printJson(name, result);
        else
            printText(name, result, options.files.size() > 1, color);
    }
    return allCorrect ? 0 : 1;
}
