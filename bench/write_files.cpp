// Writes the generated benchmark files (a), (b) and (c) into a folder, for the
// side-by-side measurement of the whole checker against xmllint.
#include <cstdio>
#include <string>

#include "fixtures.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: quorvel_bench_files FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        std::string (*make)();
    } files[] = {
        {"a-lotto.lvx", benchfiles::lottoFile},
        {"b-lotto-4mib.lvx", benchfiles::paddedLottoFile},
        {"c-lotto-crlf.lvx", benchfiles::crlfLottoFile},
    };
    for (const auto& file : files) {
        const std::string path = folder + "/" + file.name;
        if (!benchfiles::writeFile(path, file.make())) {
            std::fprintf(stderr, "quorvel_bench_files: cannot write %s\n", path.c_str());
            return 1;
        }
        std::puts(path.c_str());
    }
    return 0;
}
