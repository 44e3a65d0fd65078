// Writes seed tip files for the fuzz targets into a folder: correct files of
// every ticket type with every optional part of the format, and variants with
// one deviation each, so that the fuzzer starts from inputs that reach deep
// into every check.
//
//     make_seeds FOLDER [--large]
//
// --large adds files over the 64 KiB block size of the reader and one with
// 1001 tickets (too big for a short run's input length).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

std::mt19937 rng(20240601u);  // fixed: the same seeds on every run

int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
bool chance(int percent) { return pick(1, 100) <= percent; }

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// count different numbers from 1 to maxValue, ascending, two digits each.
std::string numberList(int count, int maxValue)
{
    std::vector<int> all;
    for (int n = 1; n <= maxValue; ++n)
        all.push_back(n);
    std::shuffle(all.begin(), all.end(), rng);
    all.resize(static_cast<std::size_t>(count));
    std::sort(all.begin(), all.end());
    std::string text;
    for (const int n : all)
        text += (text.empty() ? "" : ",") + twoDigits(n);
    return text;
}

// 18 symbols, exactly five dashes, none in the first five places.
std::string totoText()
{
    std::vector<int> places;
    for (int k = 5; k < 18; ++k)
        places.push_back(k);
    std::shuffle(places.begin(), places.end(), rng);
    std::string text;
    for (int k = 0; k < 18; ++k) {
        const bool dash = std::find(places.begin(), places.begin() + 5, k) != places.begin() + 5;
        text += dash ? '-' : "12X"[pick(0, 2)];
        if (k < 17)
            text += ',';
    }
    return text;
}

std::string torwetteText()
{
    std::string text;
    for (int i = 0; i < 5; ++i) {
        text += "012+"[pick(0, 3)];
        text += "012+"[pick(0, 3)];
        if (i < 4)
            text += ',';
    }
    return text;
}

struct Shape {
    int wsArt = 17;
    int tickets = 1;
    bool declaration = false;
    bool byteOrderMark = false;
    bool comments = false;
    bool optionalHeader = false;  // kundenNr, spielID, tnDauer, filter
    bool joker = false;
    bool crlf = false;
    bool indent = true;
    bool fullTickets = false;  // the most tips a ticket may hold
};

std::string element(const std::string& name, const std::string& text)
{
    return "<" + name + ">" + text + "</" + name + ">";
}

std::string document(const Shape& shape)
{
    const std::string nl = shape.indent ? "\n" : "";
    const std::string in1 = shape.indent ? "  " : "";
    const std::string in2 = shape.indent ? "    " : "";
    const std::string in3 = shape.indent ? "      " : "";
    std::string doc;
    if (shape.byteOrderMark)
        doc += "\xEF\xBB\xBF";
    if (shape.declaration)
        doc += std::string(chance(50) ? "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                      : "<?xml version='1.0' encoding='ascii' ?>") + nl;
    if (shape.comments)
        doc += "<!-- Tippschein, erstellt für den Test: äöü -->" + nl;
    doc += "<qarn>" + nl;
    doc += in1 + element("versionsNr", shape.wsArt == 34 ? "4.0" : "3.0") + nl;
    if (shape.optionalHeader) {
        doc += in1 + element("kundenNr", std::to_string(pick(1, 999999))) + nl;
        doc += in1 + element("spielID", std::to_string(pick(1, 999999))) + nl;
    }
    doc += in1 + element("wsArt", std::to_string(shape.wsArt)) + nl;
    if (shape.optionalHeader) {
        doc += in1 + element("tnDauer", std::to_string(pick(1, shape.wsArt == 28 ? 4 : 10))) + nl;
        doc += in1 + element("filter", "AB12,CD34,0000,ZZ99") + nl;
    }
    if (shape.joker) {
        doc += in1 + "<joker>" + nl;
        doc += in2 + element("anzahlJokerProSchein", std::to_string(pick(1, 10))) + nl;
        if (chance(50))
            doc += in2 + element("maximaleJokerAnzahl", std::to_string(pick(1, 10000))) + nl;
        doc += in1 + "</joker>" + nl;
    }
    for (int t = 0; t < shape.tickets; ++t) {
        doc += in1 + "<schein>" + nl;
        if (shape.comments && t == 0)
            doc += in2 + "<!-- erster Schein -->" + nl;
        if (shape.wsArt == 17) {
            const int tips = shape.fullTickets ? 12 : pick(1, 3);
            for (int i = 0; i < tips; ++i)
                doc += in2 + element("lottoTipp", numberList(6, 45)) + nl;
        } else if (shape.wsArt == 28) {
            const int tips = shape.fullTickets ? 13 : pick(1, 3);
            for (int i = 0; i < tips; ++i)
                doc += in2 + element("totoTipp", totoText()) + nl;
            if (shape.fullTickets || chance(50))
                doc += in2 + element("torwetteTipp", torwetteText()) + nl;
        } else {
            const int tips = shape.fullTickets ? 10 : pick(1, 3);
            for (int i = 0; i < tips; ++i) {
                doc += in2 + "<tipp>" + nl;
                doc += in3 + element("emTippZahl", numberList(5, 50)) + nl;
                doc += in3 + element("emTippStern", numberList(2, 12)) + nl;
                doc += in2 + "</tipp>" + nl;
            }
        }
        doc += in1 + "</schein>" + nl;
    }
    doc += "</qarn>" + nl;
    if (shape.crlf) {
        std::string converted;
        for (const char c : doc) {
            if (c == '\n')
                converted += '\r';
            converted += c;
        }
        doc = converted;
    }
    return doc;
}

// The first occurrence of from replaced by to: one deviation in a correct file.
std::string replaced(std::string doc, const std::string& from, const std::string& to)
{
    const std::size_t at = doc.find(from);
    if (at != std::string::npos)
        doc.replace(at, from.size(), to);
    return doc;
}

bool write(const std::string& folder, const std::string& name, const std::string& bytes)
{
    const std::string path = folder + "/" + name;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER [--large]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool large = argc > 2 && std::strcmp(argv[2], "--large") == 0;
    int written = 0;
    auto emit = [&](const std::string& name, const std::string& bytes) {
        if (!write(folder, name, bytes)) {
            std::fprintf(stderr, "make_seeds: cannot write %s/%s\n", folder.c_str(), name.c_str());
            std::exit(1);
        }
        ++written;
    };

    const struct {
        const char* name;
        int wsArt;
    } games[] = {{"lotto", 17}, {"toto", 28}, {"sterne", 34}};
    for (const auto& game : games) {
        const std::string prefix = game.name;
        Shape minimal;
        minimal.wsArt = game.wsArt;
        minimal.indent = false;
        emit(prefix + "-minimal.lvx", document(minimal));

        Shape full;
        full.wsArt = game.wsArt;
        full.declaration = full.comments = full.optionalHeader = full.joker = true;
        full.tickets = 3;
        emit(prefix + "-alles.lvx", document(full));

        Shape most = full;
        most.fullTickets = true;
        most.tickets = 2;
        most.byteOrderMark = true;
        emit(prefix + "-volle-scheine-bom.lvx", document(most));

        Shape windows = full;
        windows.crlf = true;
        emit(prefix + "-crlf.lvx", document(windows));

        for (int n = 0; n < 4; ++n) {
            Shape mixed;
            mixed.wsArt = game.wsArt;
            mixed.tickets = pick(1, 5);
            mixed.declaration = chance(50);
            mixed.byteOrderMark = chance(25);
            mixed.comments = chance(50);
            mixed.optionalHeader = chance(50);
            mixed.joker = chance(50);
            mixed.crlf = chance(30);
            mixed.indent = chance(70);
            emit(prefix + "-gemischt-" + std::to_string(n) + ".lvx", document(mixed));
        }

        // One deviation each, at different checks.
        const std::string base = document(full);
        emit(prefix + "-fehler-version.lvx", replaced(base, game.wsArt == 34 ? "4.0" : "3.0", "5.0"));
        emit(prefix + "-fehler-wsart.lvx", replaced(base, "<wsArt>" + std::to_string(game.wsArt), "<wsArt>99"));
        emit(prefix + "-fehler-ende.lvx", base.substr(0, base.size() * 2 / 3));
        emit(prefix + "-fehler-schluss.lvx", replaced(base, "</schein>", "</Schein>"));
        emit(prefix + "-fehler-nach-qarn.lvx", base + "x");
        emit(prefix + "-fehler-steuerzeichen.lvx", replaced(base, "</qarn>", "</qarn>\x1A trailing"));
        if (game.wsArt == 17)
            emit(prefix + "-fehler-zahl.lvx", replaced(base, "<lottoTipp>", "<lottoTipp>46,"));
        if (game.wsArt == 28)
            emit(prefix + "-fehler-strich.lvx", replaced(base, "<totoTipp>", "<totoTipp>-,"));
        if (game.wsArt == 34)
            emit(prefix + "-fehler-stern.lvx", replaced(base, "<emTippStern>", "<emTippStern>13,"));

        if (large) {
            Shape big = full;
            big.tickets = game.wsArt == 34 ? 300 : 600;  // past the 64 KiB block
            big.crlf = true;
            emit(prefix + "-gross-crlf.lvx", document(big));
        }
    }
    if (large) {
        Shape many;
        many.indent = false;
        many.tickets = 1001;
        emit("lotto-1001-scheine.lvx", document(many));
        many.tickets = 1000;
        emit("lotto-1000-scheine.lvx", document(many));
    }
    std::printf("make_seeds: %d files in %s\n", written, folder.c_str());
    return 0;
}
