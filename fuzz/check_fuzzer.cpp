// The whole check over bytes in memory: any input is answered with one of the
// validator's own messages, at a place that the input has, and the same
// answer every time.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lvx_parser.h"
#include "lvx_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string raw(reinterpret_cast<const char*>(data), size);
    lvxParser parser;
    parser.fileName = "fuzz.lvx";
    parser.parseMemory(raw.data(), raw.size());
    const lvxfuzz::Outcome outcome{parser.errorMessage(), parser.errorLine(), parser.errorColumn()};

    std::string problem = lvxfuzz::outcomeProblems(raw, outcome);
    if (problem.empty()) {
        parser.parseMemory(raw.data(), raw.size());
        const lvxfuzz::Outcome again{parser.errorMessage(), parser.errorLine(), parser.errorColumn()};
        if (again != outcome)
            problem = "a second check on the same object gives " + lvxfuzz::describe(again);
        else if (lvxfuzz::checkMemory(raw) != outcome)
            problem = "a check on a fresh object differs";
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "property broken: %s\nresult: %s\n", problem.c_str(),
                     lvxfuzz::describe(outcome).c_str());
        std::abort();
    }
    return 0;
}
