#include "lvx_parser.h"
#include "messages.h"

// The joker block, the tickets, the closing root tag, and nothing but white
// space after it. Returns only when the file is correct.
void lvxParser::parseBody()
{
    if (tagIs("joker")) {
        parseJoker();
        expectTag("/joker");
        nextTag();
    }
    expectTag("schein");
    for (unsigned tickets = 0;; ++tickets) {
        // The 1001st ticket is refused as soon as its opening tag is read.
        if (tickets == maxTickets)
            throw Error(lvxMessages::limit);
        checkTicket();
        expectTag("/schein");
        nextTag();
        if (!tagIs("schein"))
            break;
    }
    expectTag("/qarn");
    skipWhitespace();
    const int next = peekByte();
    if (next < 0)
        return;
    failAt(next == '<' ? lvxMessages::element : lvxMessages::unclosedTag, tagLine, tagColumn);
}

// Reads the next tag inside a ticket and tells whether it opens another tip. A
// ticket without any tip is refused at that tag; after the first tip, any
// other tag ends the ticket and is left for the body's check of /schein.
bool lvxParser::nextTip(const char* tipTag, int tipsSoFar)
{
    nextTag();
    if (tagIs(tipTag))
        return true;
    if (tipsSoFar == 0)
        failAt(lvxMessages::element, tagLine, tagColumn);
    return false;
}

// The header admits no ticket type besides these three.
void lvxParser::checkTicket()
{
    switch (wsArt) {
    case 17:
        checkLottoTicket();
        break;
    case 28:
        checkTotoTicket();
        break;
    default:
        checkStarTicket(12);
        break;
    }
}
