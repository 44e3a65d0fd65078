// Speed of the check and of the excerpt, on files generated into a fresh
// temporary folder: bytes per second of parse() for each kind of file, and of
// ErrorExcerpt::build for an error on the last line of a 4 MiB file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "error_excerpt.h"
#include "fixtures.h"
#include "lvx_parser.h"

namespace {

struct Fixture {
    const char* name;
    std::string (*make)();
    std::string path;
    std::string bytes;
};

std::vector<Fixture> fixtures = {
    {"a_lotto_lf", benchfiles::lottoFile, {}, {}},
    {"b_lotto_padded_4MiB", benchfiles::paddedLottoFile, {}, {}},
    {"c_lotto_crlf", benchfiles::crlfLottoFile, {}, {}},
    {"d_toto", benchfiles::totoFile, {}, {}},
    {"d_number_and_star", benchfiles::starFile, {}, {}},
    {"e_error_last_line", benchfiles::lastLineErrorFile, {}, {}},
};

bool isErrorFixture(const Fixture& fixture)
{
    return &fixture == &fixtures.back();
}

// The error of (e) lies on the last line, at column 1.
bool answerIsRight(const Fixture& fixture, const lvxParser& parser)
{
    if (!isErrorFixture(fixture))
        return parser.errorMessage().empty();
    const std::string& bytes = fixture.bytes;
    std::uint32_t lines = 0;
    for (const char c : bytes)
        lines += c == '\n';
    return !parser.errorMessage().empty() && parser.errorLine() == lines && parser.errorColumn() == 1;
}

void parseFile(benchmark::State& state, const Fixture* fixture)
{
    lvxParser check;
    check.fileName = fixture->path;
    check.parse();
    if (!answerIsRight(*fixture, check)) {
        state.SkipWithError(("unexpected answer: " + check.errorMessage()).c_str());
        return;
    }
    for (auto _ : state) {
        lvxParser parser;  // a fresh validator for every file, as the checker does it
        parser.fileName = fixture->path;
        benchmark::DoNotOptimize(parser.parse().size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fixture->bytes.size()));
}

// The same check over the bytes in memory: the validator without the file system.
void parseMemory(benchmark::State& state, const Fixture* fixture)
{
    for (auto _ : state) {
        lvxParser parser;
        parser.fileName = "memory.lvx";
        benchmark::DoNotOptimize(parser.parseMemory(fixture->bytes.data(), fixture->bytes.size()).size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fixture->bytes.size()));
}

void buildExcerpt(benchmark::State& state, const Fixture* fixture)
{
    lvxParser parser;
    parser.fileName = fixture->path;
    parser.parse();
    const std::uint32_t line = parser.errorLine();
    const std::uint32_t column = parser.errorColumn();
    ErrorExcerpt first(fixture->path);
    first.build(line, column);
    if (first.errorText != "</qarm>") {
        state.SkipWithError(("unexpected faulty piece: " + first.errorText).c_str());
        return;
    }
    for (auto _ : state) {
        ErrorExcerpt excerpt(fixture->path);
        excerpt.build(line, column);
        benchmark::DoNotOptimize(excerpt.textBefore.size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fixture->bytes.size()));
}

std::string makeTempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        return {};
    return pattern;
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    const std::string folder = makeTempFolder();
    if (folder.empty()) {
        std::fputs("quorvel_bench: cannot create a temporary folder\n", stderr);
        return 1;
    }
    for (Fixture& fixture : fixtures) {
        fixture.bytes = fixture.make();
        fixture.path = folder + "/" + fixture.name + ".lvx";
        if (!benchfiles::writeFile(fixture.path, fixture.bytes)) {
            std::fprintf(stderr, "quorvel_bench: cannot write %s\n", fixture.path.c_str());
            return 1;
        }
        benchmark::RegisterBenchmark((std::string("parse/") + fixture.name).c_str(), parseFile, &fixture)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("parseMemory/b_lotto_padded_4MiB", parseMemory, &fixtures[1])
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ErrorExcerpt.build/e_error_last_line", buildExcerpt, &fixtures.back())
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(folder);
    return 0;
}
