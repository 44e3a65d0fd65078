#include "options.h"

#include <cstring>

const char usageText[] =
    "Aufruf: quorvel [OPTIONEN] DATEI...\n"
    "Prüft Tippdateien (.lvx) gegen die XML-Schnittstellenbeschreibung.\n"
    "\n"
    "  --color=WANN  Fehlerstelle farbig zeigen: auto (Standard), always, never\n"
    "  --json        je Datei ein JSON-Objekt auf einer Zeile\n"
    "  --help        diese Hilfe zeigen\n"
    "  --version     die Version zeigen\n"
    "  --            alles Weitere sind Dateinamen\n"
    "\n"
    "Rückgabewert: 0 alle Dateien korrekt, 1 eine Datei fehlerhaft, 2 falscher Aufruf.\n";

namespace {

bool readColor(const char* value, ColorMode& mode)
{
    if (std::strcmp(value, "auto") == 0)
        mode = ColorMode::automatic;
    else if (std::strcmp(value, "always") == 0)
        mode = ColorMode::always;
    else if (std::strcmp(value, "never") == 0)
        mode = ColorMode::never;
    else
        return false;
    return true;
}

}  // namespace

Options parseOptions(int argc, char** argv)
{
    Options options;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (onlyFiles || argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
            // Passed on unchanged: the validator applies its own name rules.
            options.files.push_back(argument);
        } else if (argument == "--") {
            onlyFiles = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--help") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument.compare(0, 8, "--color=") == 0) {
            if (!readColor(argument.c_str() + 8, options.color))
                options.error = "ungültiger Wert für --color: '" + argument.substr(8) + "'";
        } else if (argument == "--color" && i + 1 < argc) {
            if (!readColor(argv[++i], options.color))
                options.error = "ungültiger Wert für --color: '" + std::string(argv[i]) + "'";
        } else {
            options.error = "unbekannte Option '" + argument + "'";
        }
        if (!options.error.empty())
            return options;
    }
    if (options.files.empty() && !options.help && !options.version)
        options.error = "keine Datei angegeben";
    return options;
}
