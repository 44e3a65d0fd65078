#include "lvx_parser.h"
#include "scanner_inline.h"

// One to ten tips, each five numbers from 1 to 50 and two star numbers from 1
// to maxStar. The closing tag of a tip goes through expectTag, every other tag
// through requireTag: that decides the message for an unexpected tag.
void lvxParser::checkStarTicket(std::uint32_t maxStar)
{
    static constexpr int maxTips = 10;
    for (int tips = 0; tips < maxTips; ++tips) {
        if (!nextTip("tipp", tips))
            return;
        nextTag("emTippZahl");
        requireTag("emTippZahl");
        readNumberList<5>(50);
        nextTag("/emTippZahl");
        requireTag("/emTippZahl");
        nextTag("emTippStern");
        requireTag("emTippStern");
        readNumberList<2>(maxStar);
        nextTag("/emTippStern");
        requireTag("/emTippStern");
        nextTag("/tipp");
        expectTag("/tipp");
    }
    nextTag("/schein");
}
