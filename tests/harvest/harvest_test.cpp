#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "harvest/harvest.h"
#include "harvest/pcre2engine.h"
#include "harvest/sitebase.h"
#include "tests/support/memorycontrols.h"
#include "text/gbk.h"

namespace zelkor {
namespace {

using ::testing::ElementsAre;

constexpr std::string_view kBase = "http://site.example/";

class ScriptedClock : public UptimeClock {
public:
    std::int32_t Milliseconds() override {
        return readings.empty() ? 0 : readings[std::min(next++, readings.size() - 1)];
    }
    std::vector<std::int32_t> readings;
    std::size_t next = 0;
};

// A site held in memory: address -> page, and the addresses asked for, in order.
class MemorySite {
public:
    Text Fetch(std::string_view address) {
        requested.emplace_back(address);
        if (onFetch) {
            onFetch(address);
        }
        const auto it = pages.find(Text(address));
        return it == pages.end() ? Text() : it->second;
    }
    std::map<Text, Text> pages;
    std::vector<Text> requested;
    std::function<void(std::string_view)> onFetch;
};

Text G(std::u8string_view utf8) {
    return Gbk(utf8);
}

Text FrontPage(std::string_view total, std::string_view pageCount) {
    return G(u8"<div>热门</div><p>总数：<b>") + Text(total) + G(u8"</b> 条</p><b><font>1</font>/") +
           Text(pageCount) + "</b>";
}

Text ListingLink(int id, const Text& title) {
    return "<li><a href=\"06/2024-03/" + std::to_string(id) + ".html\" target=\"_blank\">" + title +
           "</a></li>";
}

// A listing page: a sidebar link before the category's segment, `count` links, then the total.
Text ListingPage(std::string_view category, int firstId, int count) {
    Text page = "<div class=side>" + ListingLink(1, G(u8"侧栏推荐")) + "</div><div id=\"" +
                Text(category) + "\"><ul>";
    for (int i = 0; i < count; ++i) {
        page += ListingLink(firstId + i, G(u8"源码") + std::to_string(firstId + i));
    }
    return page + G(u8"</ul><p>总数：<b>99</b></p></div>");
}

class HarvestTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousBase = SiteBase();
        SetSiteBase(Text(kBase));
        SelectCategory(selection, kCategoryTable[3]);  // 游戏娱乐: wode_source/egame
        clock.readings = {1000, 1250};
    }
    void TearDown() override { SetSiteBase(previousBase); }

    void HarvestCategory() {
        zelkor::HarvestCategory(selection, services, controls.resultList, controls.statusBar);
    }
    void HarvestSearch() {
        zelkor::HarvestSearch(services, controls.resultList, controls.statusBar,
                              controls.searchBox);
    }
    std::vector<Text> Column(int column) const {
        std::vector<Text> cells;
        for (const auto& row : controls.resultList.rows) {
            cells.push_back(row[static_cast<std::size_t>(column)]);
        }
        return cells;
    }
    Text Game(std::string_view tail) { return Text(kBase) + "wode_source/egame/" + Text(tail); }

    Text previousBase;
    CatalogueSelection selection;
    Pcre2EngineFactory engines;
    PatternMatcher matcher{engines};
    ScriptedClock clock;
    MemorySite site;
    HarvestServices services{matcher, clock, [this](std::string_view a) { return site.Fetch(a); }};
    testsupport::MemoryControls controls;
};

TEST_F(HarvestTest, CategoryFetchesEveryPageInOrderAndNumbersRowsAcrossPages) {
    site.pages[Game("")] = FrontPage("57", "3");
    site.pages[Game("1.html")] = ListingPage("egame", 100, 20);
    site.pages[Game("2.html")] = ListingPage("egame", 200, 15);
    site.pages[Game("3.html")] = ListingPage("egame", 300, 0);
    HarvestCategory();

    EXPECT_THAT(site.requested,
                ElementsAre(Game(""), Game("1.html"), Game("2.html"), Game("3.html")));
    ASSERT_EQ(controls.resultList.RowCount(), 35);
    EXPECT_EQ(controls.resultList.Cell(0, 0), "1");
    EXPECT_EQ(controls.resultList.Cell(20, 0), "21");
    EXPECT_EQ(controls.resultList.Cell(20, 2), "200");
    EXPECT_EQ(controls.resultList.Cell(34, 0), "35");
    EXPECT_EQ(controls.resultList.Cell(0, 1), "2024-03");
    EXPECT_EQ(controls.resultList.Cell(0, 3), G(u8"源码100"));
    EXPECT_EQ(controls.statusBar.Shown(), G(u8"本类源码共：57个，用时：250毫秒"));
}

TEST_F(HarvestTest, CategoryStatusTextsComeInTheirOrder) {
    site.pages[Game("")] = FrontPage("2", "1");
    site.pages[Game("1.html")] = ListingPage("egame", 1, 2);
    HarvestCategory();
    EXPECT_THAT(controls.statusBar.texts,
                ElementsAre(G(u8"正在读取页面源文件..."), G(u8"正在读取页面源文件....."),
                            G(u8"正在采集标题..."), G(u8"正在采集标题..."),
                            G(u8" 正在采集分页......"), G(u8"本类源码共：2个，用时：250毫秒")));
}

TEST_F(HarvestTest, PageCountTextDecidesHowManyPagesAreFetched) {
    const std::vector<std::pair<Text, int>> cases = {{"2.9", 2}, {"0", 0},       {"-1", 0}, {"", 0},
                                                     {"abc", 0}, {G(u8"３"), 3}, {" 1", 1}};
    for (const auto& [pageCount, pages] : cases) {
        site.pages[Game("")] = FrontPage("9", pageCount);
        site.requested.clear();
        clock.next = 0;
        HarvestCategory();
        EXPECT_EQ(site.requested.size(), static_cast<std::size_t>(pages) + 1) << pageCount;
    }
}

TEST_F(HarvestTest, MissingFrontPageEndsAtOnceWithAnEmptyTotal) {
    clock.readings = {5, 5};
    HarvestCategory();
    EXPECT_THAT(site.requested, ElementsAre(Game("")));
    EXPECT_EQ(controls.resultList.RowCount(), 0);
    EXPECT_EQ(controls.statusBar.Shown(), G(u8"本类源码共：个，用时：0毫秒"));
}

TEST_F(HarvestTest, OnlyTheSliceBehindTheCategorySegmentIsListed) {
    const Text links = ListingLink(7, "a") + ListingLink(8, "b");
    const std::vector<std::pair<Text, int>> cases = {
        {ListingPage("egame", 10, 3), 3},                                 // sidebar left out
        {links + "<div id=\"egame\"></div>" + G(u8"总数：<b>2</b>"), 0},  // segment behind links
        {"<div id=\"egame\">" + links + "</div>", 0},                     // no total behind
        {"", 0},                                                          // page not fetched
    };
    for (const auto& [page, rows] : cases) {
        site.pages[Game("")] = FrontPage("2", "1");
        site.pages[Game("1.html")] = page;
        HarvestCategory();
        EXPECT_EQ(controls.resultList.RowCount(), rows) << page;
    }
}

TEST_F(HarvestTest, LinksMatchInAnyCaseAndKeepMarkupInTitles) {
    site.pages[Game("")] = FrontPage("2", "1");
    site.pages[Game("1.html")] =
        "egame <A HREF=\"06/x/1.HTML\" TARGET=\"_BLANK\"><b>bold</b> title</A> " + G(u8"总数");
    HarvestCategory();
    ASSERT_EQ(controls.resultList.RowCount(), 1);
    EXPECT_EQ(controls.resultList.Cell(0, 3), "<b>bold</b> title");
}

TEST_F(HarvestTest, SecondHarvestStartsAgainInAnEmptiedList) {
    site.pages[Game("")] = FrontPage("3", "1");
    site.pages[Game("1.html")] = ListingPage("egame", 1, 3);
    HarvestCategory();
    HarvestCategory();
    EXPECT_THAT(Column(0), ElementsAre("1", "2", "3"));
    EXPECT_EQ(controls.resultList.deleteAllCount, 2);
}

TEST_F(HarvestTest, TutorialCategoryRequestsItsOwnAddresses) {
    SelectCategory(selection, kCategoryTable[8]);  // 入门教程
    HarvestCategory();
    EXPECT_THAT(site.requested, ElementsAre(Text(kBase) + "wode_study/eintroduction/"));
    SelectCategory(selection, kCategoryTable[9]);
    EXPECT_EQ(CategoryPageAddress(selection, 3), Text(kBase) + "wode_study/ebasic/3.html");
}

TEST_F(HarvestTest, ElapsedTimeSurvivesTheCounterWrapping) {
    clock.readings = {2147483647 - 5, -2147483647 - 1 + 4};
    HarvestCategory();
    EXPECT_EQ(controls.statusBar.Shown(), G(u8"本类源码共：个，用时：10毫秒"));
    EXPECT_EQ(FormatElapsed(1234.5), "1234.5");
    EXPECT_EQ(FormatElapsed(3.0), "3");
}

Text SearchLink(const Text& title) {
    return "<li><a href=\"http://site.example/06/2023-11/42.html\">" + title +
           "</a> <span>x</span></li>";
}

TEST_F(HarvestTest, SearchSendsTheKeywordRawAndReadsItForEveryPage) {
    const Text keyword = G(u8"数据库");
    controls.searchBox.text = keyword;
    const Text front = Text(kBase) + "search/?type=all&q=" + keyword + "&s=";
    site.pages[front] = FrontPage("4", "2");
    site.onFetch = [&](std::string_view address) {
        if (address.ends_with("page=1")) {
            controls.searchBox.text = "changed";
        }
    };
    HarvestSearch();
    EXPECT_THAT(site.requested, ElementsAre(front, front + "&page=1",
                                            Text(kBase) + "search/?type=all&q=changed&s=&page=2"));
}

TEST_F(HarvestTest, SearchTitlesLoseTheHighlightInAnyCase) {
    controls.searchBox.text = "db";
    const Text front = SearchFrontAddress("db");
    site.pages[front] = FrontPage("3", "1");
    site.pages[front + "&page=1"] = SearchLink("<font color=\"red\">db</font> tools") +
                                    SearchLink("sql <FONT COLOR=\"RED\">db</font>") +
                                    "<a href=\"http://siteXexample/06/a/b.html\">dot matches</a>";
    HarvestSearch();
    EXPECT_THAT(Column(3), ElementsAre("db", "sql db", "dot matches"));
    EXPECT_THAT(Column(0), ElementsAre("1", "2", "3"));
    EXPECT_EQ(controls.statusBar.texts.front(), G(u8"正在读取搜索页面源文件..."));
    EXPECT_EQ(controls.statusBar.Shown(), G(u8"搜到的源码共：3个， 用时： 250毫秒"));
}

TEST_F(HarvestTest, SearchKeywordGoesIntoTheAddressUnchanged) {
    EXPECT_EQ(SearchFrontAddress("a&b #c"), Text(kBase) + "search/?type=all&q=a&b #c&s=");
    EXPECT_EQ(SearchPageAddress("", 2), Text(kBase) + "search/?type=all&q=&s=&page=2");
    EXPECT_EQ(SearchPattern(), R"(href="http://site.example/06/(.*?)/(.*?).html">(.*?)</)");
}

TEST(SiteBaseTest, AcceptsOnlyHttpAddressesEndingInSlash) {
    EXPECT_TRUE(IsUsableSiteBase("http://127.0.0.1:8080/"));
    EXPECT_TRUE(IsUsableSiteBase("HTTPS://site.example/base/"));
    for (const char* bad : {"", "http://", "http:///", "ftp://a/", "http://a", "http://a b/",
                            "http://:80/", "site.example/"}) {
        EXPECT_FALSE(IsUsableSiteBase(bad)) << bad;
    }
}

}  // namespace
}  // namespace zelkor
