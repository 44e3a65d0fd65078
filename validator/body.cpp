#include "lvx_parser.h"
#include "messages.h"
#include "scanner_inline.h"

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
        nextTag("schein");
        if (!tagIs("schein"))
            break;
    }
    expectTag("/qarn");
    skipWhitespace();
    const int next = peekByte();
    if (next < 0)
        return;
    failAt(next == '<' ? lvxMessages::element : lvxMessages::unclosedTag, tagPlace);
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
