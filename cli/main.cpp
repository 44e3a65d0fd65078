// quorvel: checks tip files from the command line, with the validator's own
// messages, one result per file.
#include <cstdio>
#include <iostream>
#include <string>

#include "json.h"
#include "lvx_parser.h"
#include "options.h"
#include "result_display.h"

namespace {

constexpr char versionText[] = "Quorvel 02.10";

struct CheckResult {
    std::string message;
    std::uint32_t line = 0;
    std::uint32_t column = 0;
    bool ok = false;
};

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

void printJson(const std::string& name, const CheckResult& result)
{
    std::string out = "{\"file\": " + jsonString(name);
    out += ", \"ok\": ";
    out += result.ok ? "true" : "false";
    out += ", \"message\": " + jsonString(result.message);
    out += ", \"line\": " + std::to_string(result.line);
    out += ", \"column\": " + std::to_string(result.column);
    out += "}\n";
    std::fputs(out.c_str(), stdout);
}

void printText(const std::string& name, const CheckResult& result, bool withName)
{
    std::string out = withName ? name + ": " : std::string();
    out += result.message;
    out += '\n';
    std::fputs(out.c_str(), stdout);
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
    bool allCorrect = true;
    for (const std::string& name : options.files) {
        const CheckResult result = check(name);
        allCorrect = allCorrect && result.ok;
        if (options.json)
            printJson(name, result);
        else
            printText(name, result, options.files.size() > 1);
    }
    return allCorrect ? 0 : 1;
}
