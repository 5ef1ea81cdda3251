#pragma once

#include <functional>
#include <string_view>

#include "controls/resultlist.h"
#include "controls/searchbox.h"
#include "controls/statusbar.h"
#include "harvest/categories.h"
#include "harvest/patternmatcher.h"
#include "harvest/uptimeclock.h"
#include "text/text.h"

namespace zelkor {

// Fetches a page's text; empty when nothing could be fetched (FetchPageText in the program).
using PageFetcher = std::function<Text(std::string_view address)>;

// What a harvest works with besides the window's controls.
struct HarvestServices {
    PatternMatcher& matcher;
    UptimeClock& clock;
    PageFetcher fetchPage;
};

// Empties the result list, reads the item total and page count from the chosen category's front
// page, then lists every item link of its listing pages 1 to the page count, numbering the rows
// from 1. Progress and the final tally go to the status bar. Failures show as fewer rows.
void HarvestCategory(const CatalogueSelection& selection, HarvestServices& services,
                     ResultList& resultList, StatusBar& statusBar);

// The same over the site's search pages for the search box's text, which is read anew for every
// page and sent as its GBK bytes without any escaping.
void HarvestSearch(HarvestServices& services, ResultList& resultList, StatusBar& statusBar,
                   const SearchBox& searchBox);

// The addresses and patterns the harvests use.
Text CategoryFrontAddress(const CatalogueSelection& selection);
Text CategoryPageAddress(const CatalogueSelection& selection, int page);
Text SearchFrontAddress(std::string_view keyword);
Text SearchPageAddress(std::string_view keyword, int page);
const Text& ListingPattern();
Text SearchPattern();

// "%.13g" of a double, as the status bar shows elapsed milliseconds.
Text FormatElapsed(double milliseconds);

}  // namespace zelkor
