#pragma once

#include <string>
#include <vector>

enum class ColorMode { automatic, always, never };

struct Options {
    bool json = false;
    bool help = false;
    bool version = false;
    ColorMode color = ColorMode::automatic;
    std::vector<std::string> files;
    std::string error;  // a usage error, in words for standard error
};

Options parseOptions(int argc, char** argv);

extern const char usageText[];
