#include "fixtures.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace benchfiles {

namespace {

constexpr int tickets = 1000;

// A small linear congruential generator: the same tips on every run.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state(seed) {}
    std::uint32_t below(std::uint32_t limit)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % limit;
    }

private:
    std::uint32_t state;
};

std::string twoDigits(unsigned value)
{
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// count distinct numbers from 1 to maxValue, ascending, as a number list.
std::string numberList(Dice& dice, unsigned count, unsigned maxValue)
{
    bool taken[64] = {};
    for (unsigned chosen = 0; chosen < count;) {
        const unsigned value = 1 + dice.below(maxValue);
        if (!taken[value]) {
            taken[value] = true;
            ++chosen;
        }
    }
    std::string list;
    for (unsigned value = 1; value <= maxValue; ++value) {
        if (!taken[value])
            continue;
        if (!list.empty())
            list += ',';
        list += twoDigits(value);
    }
    return list;
}

// 18 symbols of 1, 2 and X; exactly five of the places 6 to 18 hold a dash.
std::string totoText(Dice& dice)
{
    char symbols[18];
    for (char& symbol : symbols)
        symbol = "12X"[dice.below(3)];
    for (int dashes = 0; dashes < 5;) {
        char& place = symbols[5 + dice.below(13)];
        if (place != '-') {
            place = '-';
            ++dashes;
        }
    }
    std::string text;
    for (const char symbol : symbols) {
        if (!text.empty())
            text += ',';
        text += symbol;
    }
    return text;
}

std::string torwetteText(Dice& dice)
{
    std::string text;
    for (int pair = 0; pair < 5; ++pair) {
        if (pair > 0)
            text += ',';
        text += "012+"[dice.below(4)];
        text += "012+"[dice.below(4)];
    }
    return text;
}

std::string element(std::string_view indent, std::string_view name, const std::string& text)
{
    std::string line(indent);
    line += '<';
    line += name;
    line += '>';
    line += text;
    line += "</";
    line += name;
    line += ">\n";
    return line;
}

// Everything up to the first ticket: declaration, root, header, joker block.
std::string header(std::string_view version, std::string_view wsArt, std::string_view tnDauer)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    text += "<!-- Erzeugt fuer die Messungen: 1000 volle Scheine -->\n";
    text += "<qarn>\n";
    text += element("  ", "versionsNr", std::string(version));
    text += element("  ", "kundenNr", "123456");
    text += element("  ", "spielID", "42");
    text += element("  ", "wsArt", std::string(wsArt));
    text += element("  ", "tnDauer", std::string(tnDauer));
    text += element("  ", "filter", "AB12,CD34,XY99");
    text += "  <joker>\n";
    text += element("    ", "anzahlJokerProSchein", "1");
    text += element("    ", "maximaleJokerAnzahl", "500");
    text += "  </joker>\n";
    return text;
}

constexpr char rootEnd[] = "</qarn>\n";

std::string lottoTicket(Dice& dice)
{
    std::string text = "  <schein>\n";
    for (int tip = 0; tip < 12; ++tip)
        text += element("    ", "lottoTipp", numberList(dice, 6, 45));
    return text + "  </schein>\n";
}

std::string totoTicket(Dice& dice)
{
    std::string text = "  <schein>\n";
    for (int tip = 0; tip < 13; ++tip)
        text += element("    ", "totoTipp", totoText(dice));
    text += element("    ", "torwetteTipp", torwetteText(dice));
    return text + "  </schein>\n";
}

std::string starTicket(Dice& dice)
{
    std::string text = "  <schein>\n";
    for (int tip = 0; tip < 10; ++tip) {
        text += "    <tipp>\n";
        text += element("      ", "emTippZahl", numberList(dice, 5, 50));
        text += element("      ", "emTippStern", numberList(dice, 2, 12));
        text += "    </tipp>\n";
    }
    return text + "  </schein>\n";
}

// A comment line of exactly length bytes (at least 12), LF included.
std::string commentLine(std::size_t length)
{
    static constexpr std::string_view words = "Kommentar zwischen zwei Scheinen, nur zum Auffuellen der Datei ";
    std::string line = "  <!-- ";
    for (std::size_t i = 0; line.size() + 5 < length; ++i)
        line += words[i % words.size()];
    return line + " -->\n";
}

// Exactly bytes bytes of blank lines and comment lines.
std::string padding(std::size_t bytes)
{
    std::string pad;
    for (int i = 0; pad.size() < bytes; ++i) {
        const std::size_t left = bytes - pad.size();
        if (i % 8 == 0 || left < 12)
            pad += '\n';
        else
            pad += commentLine(left < 96 ? left : 72);
    }
    return pad;
}

template <class Ticket>
std::string fileOf(std::string head, Ticket ticket, std::uint32_t seed)
{
    Dice dice(seed);
    for (int i = 0; i < tickets; ++i)
        head += ticket(dice);
    return head + rootEnd;
}

}  // namespace

std::string lottoFile()
{
    return fileOf(header("3.0", "17", "2"), lottoTicket, 17);
}

std::string paddedLottoFile()
{
    const std::size_t plain = lottoFile().size();
    const std::size_t gaps = tickets - 1;
    const std::size_t perGap = (maxFileBytes - plain) / gaps;
    const std::size_t lastGap = maxFileBytes - plain - perGap * (gaps - 1);
    Dice dice(17);  // the tips of (a)
    std::string text = header("3.0", "17", "2");
    for (int i = 0; i < tickets; ++i) {
        if (i > 0)
            text += padding(i + 1 < tickets ? perGap : lastGap);
        text += lottoTicket(dice);
    }
    return text + rootEnd;
}

std::string crlfLottoFile()
{
    return withCrLf(lottoFile());
}

std::string totoFile()
{
    return fileOf(header("3.0", "28", "4"), totoTicket, 28);
}

std::string starFile()
{
    return fileOf(header("4.0", "34", "10"), starTicket, 34);
}

std::string lastLineErrorFile()
{
    std::string text = paddedLottoFile();
    text[text.size() - 3] = 'm';  // </qarn> becomes </qarm>
    return text;
}

std::string withCrLf(const std::string& lfText)
{
    std::string text;
    text.reserve(lfText.size() + lfText.size() / 16);
    for (const char c : lfText) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace benchfiles
