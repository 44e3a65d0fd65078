#include "lvx_parser.h"

// One to ten tips, each five numbers from 1 to 50 and two star numbers from 1
// to maxStar. The closing tag of a tip goes through expectTag, every other tag
// through requireTag: that decides the message for an unexpected tag.
void lvxParser::checkStarTicket(std::uint32_t maxStar)
{
    static constexpr int maxTips = 10;
    for (int tips = 0; tips < maxTips; ++tips) {
        if (!nextTip("tipp", tips))
            return;
        nextTag();
        requireTag("emTippZahl");
        readContent();
        checkNumberList(5, 50);
        nextTag();
        requireTag("/emTippZahl");
        nextTag();
        requireTag("emTippStern");
        readContent();
        checkNumberList(2, maxStar);
        nextTag();
        requireTag("/emTippStern");
        nextTag();
        expectTag("/tipp");
    }
    nextTag();
}
