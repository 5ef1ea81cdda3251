#include "harvest/harvest.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "harvest/sitebase.h"
#include "text/between.h"
#include "text/gbk.h"

namespace zelkor {
namespace {

struct HarvestTexts {
    Text reading;        // before the front page
    Text readingPage;    // before each listing page
    Text collectedRow;   // after each row
    Text collectedPage;  // after each page
    Text totalPrefix;    // final: prefix + total + elapsedLabel + elapsed + unit
    Text elapsedLabel;
    Text unit;
};

const HarvestTexts& CategoryTexts() {
    static const HarvestTexts texts{Gbk(u8"正在读取页面源文件..."),
                                    Gbk(u8"正在读取页面源文件....."),
                                    Gbk(u8"正在采集标题..."),
                                    Gbk(u8" 正在采集分页......"),
                                    Gbk(u8"本类源码共："),
                                    Gbk(u8"个，用时："),
                                    Gbk(u8"毫秒")};
    return texts;
}

const HarvestTexts& SearchTexts() {
    static const HarvestTexts texts{Gbk(u8"正在读取搜索页面源文件..."),
                                    Gbk(u8"正在读取搜索页面源文件....."),
                                    Gbk(u8"正在采集搜索标题..."),
                                    Gbk(u8" 正在采集搜索分页......"),
                                    Gbk(u8"搜到的源码共："),
                                    Gbk(u8"个， 用时： "),
                                    Gbk(u8"毫秒")};
    return texts;
}

const Text& TotalMarker() {
    static const Text marker = Gbk(u8"总数：<b>");
    return marker;
}

const Text& SliceEndMarker() {
    static const Text marker = Gbk(u8"总数");
    return marker;
}

constexpr std::string_view kBold = "</b>";
constexpr std::string_view kPageCountMarker = "</font>/";
constexpr std::string_view kHighlight = "<font color=\"red\">";

// The page count is read once from the front page. A text that reads as no number, or as a
// number below 1, means no pages; one beyond what a loop counter holds is held at its limit.
int PageCount(std::string_view pageCountText) {
    const double count = std::trunc(ToNumber(pageCountText));
    if (!(count >= 1.0)) {
        return 0;
    }
    return count >= static_cast<double>(std::numeric_limits<int>::max())
               ? std::numeric_limits<int>::max()
               : static_cast<int>(count);
}

// One harvest's plan: where its pages are, what of each page is searched, how titles are kept.
struct ListingPlan {
    const HarvestTexts& texts;
    std::function<Text()> frontAddress;
    std::function<Text(int page)> pageAddress;
    std::function<Text(const Text& page)> subject;
    Text pattern;
    std::function<Text(const Text& title)> title;
};

void RunListing(const ListingPlan& plan, HarvestServices& services, ResultList& resultList,
                StatusBar& statusBar) {
    resultList.DeleteAllRows();
    statusBar.SetStatusText(plan.texts.reading);
    const Text frontPage = services.fetchPage(plan.frontAddress());
    const Text total = TextBetween(frontPage, TotalMarker(), kBold);
    const Text pageCountText = TextBetween(frontPage, kPageCountMarker, kBold);
    const std::int32_t start = services.clock.Milliseconds();

    PatternMatcher& matcher = services.matcher;
    const int pages = PageCount(pageCountText);
    int runningNumber = 0;
    for (int page = 1; page <= pages; ++page) {
        statusBar.SetStatusText(plan.texts.readingPage);
        const Text pageText = services.fetchPage(plan.pageAddress(page));
        matcher.FindAll(plan.pattern, plan.subject(pageText));
        const int count = matcher.MatchCount();
        for (int j = 1; j <= count; ++j) {
            ++runningNumber;
            const int row = resultList.AppendRow(std::to_string(runningNumber));
            resultList.SetCell(row, 1, matcher.SubmatchText(j, 1));
            resultList.SetCell(row, 2, matcher.SubmatchText(j, 2));
            resultList.SetCell(row, 3, plan.title(matcher.SubmatchText(j, 3)));
            statusBar.SetStatusText(plan.texts.collectedRow);
        }
        statusBar.SetStatusText(plan.texts.collectedPage);
        if (page == std::numeric_limits<int>::max()) {
            break;
        }
    }

    const std::int32_t end = services.clock.Milliseconds();
    // The counter wraps; the difference taken modulo 2^32 stays right across the wrap.
    const auto ticks = static_cast<std::uint32_t>(end) - static_cast<std::uint32_t>(start);
    const double elapsed = static_cast<double>(static_cast<std::int32_t>(ticks));
    statusBar.SetStatusText(plan.texts.totalPrefix + total + plan.texts.elapsedLabel +
                            FormatElapsed(elapsed) + plan.texts.unit);
}

Text CategoryRoot(const CatalogueSelection& selection) {
    return SiteBase() + selection.currentSection + "/" + selection.currentCategory + "/";
}

Text SearchRoot(std::string_view keyword) {
    return SiteBase() + "search/?type=all&q=" + Text(keyword) + "&s=";
}

}  // namespace

Text CategoryFrontAddress(const CatalogueSelection& selection) {
    return CategoryRoot(selection);
}

Text CategoryPageAddress(const CatalogueSelection& selection, int page) {
    return CategoryRoot(selection) + std::to_string(page) + ".html";
}

Text SearchFrontAddress(std::string_view keyword) {
    return SearchRoot(keyword);
}

Text SearchPageAddress(std::string_view keyword, int page) {
    return SearchRoot(keyword) + "&page=" + std::to_string(page);
}

const Text& ListingPattern() {
    static const Text pattern = R"(<a href="06/(.*?)/(.*?).html" target="_blank">(.*?)</a>)";
    return pattern;
}

Text SearchPattern() {
    const Text& base = SiteBase();
    const Text withoutSlash = base.ends_with('/') ? TextLeft(base, TextLength(base) - 1) : base;
    return "href=\"" + withoutSlash + R"(/06/(.*?)/(.*?).html">(.*?)</)";
}

Text FormatElapsed(double milliseconds) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.13g", milliseconds);
    return n > 0 ? Text(buffer, static_cast<std::size_t>(n)) : Text();
}

void HarvestCategory(const CatalogueSelection& selection, HarvestServices& services,
                     ResultList& resultList, StatusBar& statusBar) {
    const ListingPlan plan{
        CategoryTexts(),
        [&] { return CategoryFrontAddress(selection); },
        [&](int page) { return CategoryPageAddress(selection, page); },
        [&](const Text& page) {
            return TextBetween(page, selection.currentCategory, SliceEndMarker());
        },
        ListingPattern(),
        [](const Text& title) { return title; },
    };
    RunListing(plan, services, resultList, statusBar);
}

void HarvestSearch(HarvestServices& services, ResultList& resultList, StatusBar& statusBar,
                   const SearchBox& searchBox) {
    const ListingPlan plan{
        SearchTexts(),
        [&] { return SearchFrontAddress(searchBox.SearchText()); },
        [&](int page) { return SearchPageAddress(searchBox.SearchText(), page); },
        [](const Text& page) { return page; },
        SearchPattern(),
        [](const Text& title) {
            return ReplaceText(title, kHighlight, {}, 1, kAllOccurrences, false);
        },
    };
    RunListing(plan, services, resultList, statusBar);
}

}  // namespace zelkor
