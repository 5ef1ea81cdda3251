#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harvest/harvest.h"
#include "harvest/pcre2engine.h"
#include "harvest/sitebase.h"
#include "tests/support/loopbackserver.h"
#include "tests/support/memorycontrols.h"
#include "text/gbk.h"
#include "web/httprequest.h"

namespace zelkor {
namespace {

using ::testing::ElementsAre;
using testsupport::RecordedRequest;
using testsupport::ServerReply;

// The harvests over the real transport: what goes on the wire, byte for byte.
class HarvestWireTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousBase = SiteBase();
        SetSiteBase(server.Url("/"));
    }
    void TearDown() override { SetSiteBase(previousBase); }

    std::vector<std::string> Targets() const {
        std::vector<std::string> targets;
        for (const RecordedRequest& request : server.Requests()) {
            targets.push_back(request.target);
        }
        return targets;
    }

    static ServerReply Page(const Text& body) {
        return ServerReply::Http(200, "Content-Type: text/html; charset=gbk", body);
    }

    testsupport::LoopbackServer server;
    Text previousBase;
    Pcre2EngineFactory engines;
    PatternMatcher matcher{engines};
    SteadyUptimeClock clock;
    HarvestServices services{matcher, clock, [](std::string_view a) { return FetchPageText(a); }};
    testsupport::MemoryControls controls;
};

TEST_F(HarvestWireTest, SearchSendsTheKeywordsGbkBytesUnescaped) {
    const Text keyword = Gbk(u8"数据 库&#x");
    controls.searchBox.text = keyword;
    const std::string query =
        "/search/?type=all&q=" + Gbk(u8"数据") + "%20" + Gbk(u8"库") + "&#x&s=";
    const std::string base = server.Url("");
    server.SetHandler([&](const RecordedRequest& request) {
        if (request.target == query) {
            return Page(Gbk(u8"<p>总数：<b>3</b></p><b><font>1</font>/2</b>"));
        }
        const Text link = "<a href=\"" + base + "/06/2024-01/7.html\">" +
                          Gbk(u8"<font color=\"red\">数据</font>工具") + "</a>";
        return Page(link + link.substr(0, link.size() / 2));
    });
    HarvestSearch(services, controls.resultList, controls.statusBar, controls.searchBox);

    EXPECT_THAT(Targets(), ElementsAre(query, query + "&page=1", query + "&page=2"));
    ASSERT_EQ(controls.resultList.RowCount(), 2);
    EXPECT_EQ(controls.resultList.Cell(1, 0), "2");
    EXPECT_EQ(controls.resultList.Cell(1, 2), "7");
    EXPECT_EQ(controls.resultList.Cell(1, 3), Gbk(u8"数据"));
    const RecordedRequest first = server.Requests().front();
    // The Referer is the address as the harvest made it: the space stays a space there.
    EXPECT_EQ(first.Header("Referer"), SearchFrontAddress(keyword));
    EXPECT_FALSE(first.HasHeader("Accept-Encoding"));
}

TEST_F(HarvestWireTest, CategoryFetchesItsPagesOneAfterTheOtherOnOneConnection) {
    const Text listing = "<div id=\"edata\"><a href=\"06/x/1.html\" target=\"_blank\">a</a>" +
                         Gbk(u8"总数：<b>3</b></div>");
    server.Route("/wode_source/edata/", Page(Gbk(u8"总数：<b>3</b> <font>1</font>/3</b>")));
    for (const char* page :
         {"/wode_source/edata/1.html", "/wode_source/edata/2.html", "/wode_source/edata/3.html"}) {
        server.Route(page, Page(listing));
    }
    CatalogueSelection selection;
    SelectCategory(selection, kCategoryTable[4]);  // 数据库类
    HarvestCategory(selection, services, controls.resultList, controls.statusBar);

    EXPECT_THAT(Targets(), ElementsAre("/wode_source/edata/", "/wode_source/edata/1.html",
                                       "/wode_source/edata/2.html", "/wode_source/edata/3.html"));
    EXPECT_EQ(controls.resultList.RowCount(), 3);
    EXPECT_EQ(server.ConnectionCount(), 1);
}

}  // namespace
}  // namespace zelkor
