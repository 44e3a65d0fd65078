// The check of a file and the excerpt at the place it reports: the input is
// written to a file once per run (on a memory file system where there is one),
// checked from the file and from memory, and the excerpt is cut around the
// reported place and around one more place taken from the input.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lvx_properties.h"

namespace {

// The one file of this process: in QUORVEL_FUZZ_DIR (fuzz/run-fuzz makes one
// on a memory file system and removes it), else in /dev/shm or the temporary
// folder. libFuzzer may end the process without running destructors.
struct ScratchFile {
    std::string path;
    ScratchFile()
    {
        const char* dir = std::getenv("QUORVEL_FUZZ_DIR");
        if (dir == nullptr)
            dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::getenv("TMPDIR");
        if (dir == nullptr)
            dir = "/tmp";
        path = std::string(dir) + "/quorvel-fuzz-" + std::to_string(getpid()) + ".lvx";
    }
    ~ScratchFile() { std::remove(path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFile file;
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const std::string problem = lvxfuzz::allProblems(raw, file.path);
    if (!problem.empty()) {
        std::fprintf(stderr, "property broken: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
