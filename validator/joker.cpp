#include "lvx_parser.h"

// The inside of the optional joker block; the body checks its closing tag.
void lvxParser::parseJoker()
{
    nextTag();
    requireTag("anzahlJokerProSchein");
    readNumberElement("/anzahlJokerProSchein", 10);
    if (tagIs("maximaleJokerAnzahl"))
        readNumberElement("/maximaleJokerAnzahl", 10000);
}
