#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "harvest/patternmatcher.h"
#include "harvest/patternshape.h"
#include "harvest/pcre2engine.h"
#include "text/text.h"

namespace zelkor {
namespace {

const Text kListingPattern = R"(<a href="06/(.*?)/(.*?).html" target="_blank">(.*?)</a>)";
const Text kPrefix = "<a href=\"06/";
const Text kTail = "html\" target=\"_blank\">";

struct Link {
    Text first, second, title;
    bool operator==(const Link&) const = default;
};

// The listing pattern's leftmost, lazy semantics, written out as a plain scan of each line (the
// markers here are all ASCII and the fixtures put no letters behind lead bytes).
std::vector<Link> ScanListing(const Text& page) {
    std::vector<Link> links;
    const Text lower = ToLower(page);
    std::size_t lineStart = 0;
    while (lineStart <= lower.size()) {
        std::size_t lineEnd = lower.find('\n', lineStart);
        if (lineEnd == Text::npos) {
            lineEnd = lower.size();
        }
        const std::string_view line(lower.data(), lineEnd);
        for (std::size_t s = line.find(kPrefix, lineStart); s != Text::npos;) {
            const std::size_t slash = line.find('/', s + kPrefix.size());
            const std::size_t tail = slash == Text::npos ? slash : line.find(kTail, slash + 2);
            const std::size_t close =
                tail == Text::npos ? tail : line.find("</a>", tail + kTail.size());
            if (close == Text::npos) {
                break;  // no later start can complete either
            }
            const std::size_t groupOne = s + kPrefix.size();
            const std::size_t groupThree = tail + kTail.size();
            links.push_back({page.substr(groupOne, slash - groupOne),
                             page.substr(slash + 1, tail - 1 - (slash + 1)),
                             page.substr(groupThree, close - groupThree)});
            s = line.find(kPrefix, close + 4);
        }
        lineStart = lineEnd + 1;
    }
    return links;
}

std::vector<Link> FindListing(const Text& page) {
    Pcre2EngineFactory engines;
    PatternMatcher matcher(engines);
    EXPECT_TRUE(matcher.FindAll(kListingPattern, page));
    std::vector<Link> links;
    for (int j = 1; j <= matcher.MatchCount(); ++j) {
        links.push_back(
            {matcher.SubmatchText(j, 1), matcher.SubmatchText(j, 2), matcher.SubmatchText(j, 3)});
    }
    return links;
}

Text RealLinks(int count) {
    Text links;
    for (int i = 0; i < count; ++i) {
        links += "<li><a href=\"06/2024-0" + std::to_string(i % 9 + 1) + "/" +
                 std::to_string(1000 + i) + ".html\" target=\"_blank\">item " + std::to_string(i) +
                 "</a></li>";
    }
    return links;
}

// 10 MB on one line, holding 100,000 link openings that never close.
Text HostileLine() {
    Text line;
    line.reserve(10'500'000);
    const Text filler(88, 'x');
    for (int i = 0; i < 100'000; ++i) {
        line += kPrefix;
        line += filler;
    }
    return line;
}

// Hopeless searches must end quickly; the bound is loose so that only runaway backtracking,
// which would take hours here, fails it, also under the sanitizers.
constexpr auto kRunawayBound = std::chrono::seconds(20);

template <typename F>
auto Timed(F&& f, std::chrono::steady_clock::duration& took) {
    const auto start = std::chrono::steady_clock::now();
    auto result = f();
    took = std::chrono::steady_clock::now() - start;
    return result;
}

TEST(BoundedMatchingTest, HostileLineEndsQuicklyWithWhatAScanFinds) {
    const Text page = "<html><body>" + HostileLine() + "</body></html>";
    std::chrono::steady_clock::duration took{};
    const auto found = Timed([&] { return FindListing(page); }, took);
    EXPECT_EQ(found, ScanListing(page));
    EXPECT_TRUE(found.empty());
    EXPECT_LT(took, kRunawayBound);
}

TEST(BoundedMatchingTest, RealLinksBehindAHostileLineAreFound) {
    const Text page = HostileLine() + "\n<ul>" + RealLinks(40) + "</ul>\n";
    std::chrono::steady_clock::duration took{};
    const auto found = Timed([&] { return FindListing(page); }, took);
    ASSERT_EQ(found.size(), 40u);
    EXPECT_EQ(found, ScanListing(page));
    EXPECT_EQ(found.back(), (Link{"2024-04", "1039", "item 39"}));
    EXPECT_LT(took, kRunawayBound);
}

TEST(BoundedMatchingTest, LinksAtTheEndOfALegitimateTenMegabyteLineAreFound) {
    Text page;
    page.reserve(10'600'000);
    while (page.size() < 10'000'000) {
        page += "<div class=\"row\"><span>2024-03-01</span><p>plain text of a page</p></div>";
    }
    page += RealLinks(25);
    const auto found = FindListing(page);
    ASSERT_EQ(found.size(), 25u);
    EXPECT_EQ(found, ScanListing(page));
}

TEST(BoundedMatchingTest, OpeningsOnTheSameLineAsARealLinkFollowTheLazyRule) {
    // Leftmost-first: the first opening begins the match, and the junk behind it lands in the
    // groups, exactly as the scan says.
    const Text page = kPrefix + "a" + kPrefix + "b" + RealLinks(2);
    const auto found = FindListing(page);
    EXPECT_EQ(found, ScanListing(page));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].first, "a<a href=\"06");
}

TEST(PatternShapeTest, ListingPatternStaysOnOneLineWithItsLiterals) {
    const PatternShape shape =
        AnalysePattern(U"<a href=\"06/(.*?)/(.*?).html\" target=\"_blank\">(.*?)</a>", true, true);
    EXPECT_TRUE(shape.staysOnOneLine);
    EXPECT_EQ(shape.requiredLiterals,
              (std::vector<std::u32string>{U"<a href=\"06/", U"/", U"html\" target=\"_blank\">",
                                           U"</a>"}));
}

TEST(PatternShapeTest, ProvesNothingItCannotSee) {
    struct Case {
        std::u32string pattern;
        bool staysOnOneLine;
        std::vector<std::u32string> literals;
    };
    const std::vector<Case> cases = {
        {U"ab*c", true, {U"a", U"c"}}, {U"a|b", true, {}},     {U"(a|b)c", true, {U"c"}},
        {U"a[^x]b", false, {}},        {U"a\\sb", false, {}},  {U"(?s)a.b", false, {}},
        {U"a\\.b", true, {U"a.b"}},    {U"ab{2}c", true, {}},  {U"a\nb", false, {U"a\nb"}},
        {U"AB", true, {U"ab"}},        {U"数a", true, {U"a"}},
    };
    for (const Case& c : cases) {
        const PatternShape shape = AnalysePattern(c.pattern, true, true);
        EXPECT_EQ(shape.staysOnOneLine, c.staysOnOneLine)
            << std::string(c.pattern.begin(), c.pattern.end());
        EXPECT_EQ(shape.requiredLiterals, c.literals);
    }
    EXPECT_FALSE(AnalysePattern(U"a$", true, /*multiline=*/false).staysOnOneLine);
}

TEST(PatternShapeTest, CaselessChainSeesKelvinSignAsK) {
    const PatternShape shape = AnalysePattern(U"ok", true, true);
    const std::u32string subject = U"o\u212A";
    LiteralChain chain(shape, subject, true);
    EXPECT_TRUE(chain.OccursWithin(0, subject.size()));
    EXPECT_FALSE(chain.OccursWithin(1, subject.size()));
}

}  // namespace
}  // namespace zelkor
