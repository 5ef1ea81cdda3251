// zelkor-cli: the harvests of the window, run from a terminal.
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/rowformat.h"
#include "cli/terminalcontrols.h"
#include "harvest/harvest.h"
#include "harvest/pcre2engine.h"
#include "harvest/sitebase.h"
#include "text/gbk.h"
#include "web/httprequest.h"

namespace {

using namespace zelkor;
using namespace zelkor::cli;

constexpr int kUsageError = 2;

void ListCategories() {
    for (const CategoryRow& row : kCategoryTable) {
        std::cout << Utf8Chars(row.menu) << '\t' << Utf8Chars(row.command) << '\t' << row.section
                  << '\t' << row.category << '\n';
    }
}

int Harvest(const Invocation& invocation) {
    if (invocation.siteBase) {
        SetSiteBase(*invocation.siteBase);
    }
    Pcre2EngineFactory engines;
    PatternMatcher matcher(engines);
    SteadyUptimeClock clock;
    HarvestServices services{matcher, clock,
                             [](std::string_view address) { return FetchPageText(address); }};
    CollectedRows rows;
    StatusLine status(invocation.statusLog ? &std::cerr : nullptr);

    if (invocation.command == Command::Category) {
        CatalogueSelection selection;
        SelectCategory(selection, *invocation.category);
        HarvestCategory(selection, services, rows, status);
    } else {
        const FixedSearchText searchBox(invocation.keyword);
        HarvestSearch(services, rows, status, searchBox);
    }
    WriteRows(std::cout, rows.rows, invocation.format);
    std::cout.flush();
    if (!invocation.statusLog) {
        std::cerr << GbkToUtf8(status.shown) << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.invocation) {
        std::cerr << "zelkor-cli: " << parsed.error << '\n';
        return kUsageError;
    }
    if (parsed.invocation->command == Command::ListCategories) {
        ListCategories();
        return 0;
    }
    return Harvest(*parsed.invocation);
}
