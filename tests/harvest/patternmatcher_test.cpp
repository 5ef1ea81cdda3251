#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "harvest/patternmatcher.h"
#include "harvest/pcre2engine.h"
#include "text/gbk.h"

namespace zelkor {
namespace {

using testing::ElementsAre;

const Text kListingPattern = R"(<a href="06/(.*?)/(.*?).html" target="_blank">(.*?)</a>)";

Text Link(const Text& first, const Text& second, const Text& title) {
    return "<a href=\"06/" + first + "/" + second + ".html\" target=\"_blank\">" + title + "</a>";
}

class PatternMatcherTest : public testing::Test {
protected:
    Pcre2EngineFactory engines;
    PatternMatcher matcher{engines};
};

TEST_F(PatternMatcherTest, NothingBeforeTheFirstSearch) {
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.SubmatchText(1, 1), "");
}

TEST_F(PatternMatcherTest, FindsEveryLinkIgnoringCase) {
    const Text subject = "<ul><li>" + Link("2024", "17", "one") + "</li><li>" +
                         R"(<A HREF="06/2023/9.HTML" TARGET="_BLANK">two</A>)" + "</li></ul>";
    ASSERT_TRUE(matcher.FindAll(kListingPattern, subject));
    ASSERT_EQ(matcher.MatchCount(), 2);
    EXPECT_EQ(matcher.SubmatchText(1, 1), "2024");
    EXPECT_EQ(matcher.SubmatchText(1, 2), "17");
    EXPECT_EQ(matcher.SubmatchText(1, 3), "one");
    EXPECT_EQ(matcher.SubmatchText(2, 2), "9");
    EXPECT_EQ(matcher.SubmatchText(2, 3), "two");
}

TEST_F(PatternMatcherTest, ReadingOutsideTheMatchesGivesEmptyText) {
    ASSERT_TRUE(matcher.FindAll("(a)(x)?", "ab a"));
    ASSERT_EQ(matcher.MatchCount(), 2);
    EXPECT_EQ(matcher.SubmatchText(1, 1), "a");
    EXPECT_EQ(matcher.SubmatchText(1, 2), "");  // took no part
    EXPECT_EQ(matcher.SubmatchText(1, 0), "");  // no group 0 for the whole match
    EXPECT_EQ(matcher.SubmatchText(1, 3), "");
    EXPECT_EQ(matcher.SubmatchText(0, 1), "");
    EXPECT_EQ(matcher.SubmatchText(3, 1), "");
    EXPECT_EQ(matcher.SubmatchText(-1, -1), "");
}

TEST_F(PatternMatcherTest, SearchWithoutMatchSucceedsEmpty) {
    EXPECT_TRUE(matcher.FindAll(kListingPattern, "<p>nothing here</p>"));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_TRUE(matcher.FindAll(kListingPattern, ""));
    EXPECT_EQ(matcher.MatchCount(), 0);
}

TEST_F(PatternMatcherTest, RefusedPatternDropsThePreviousMatches) {
    ASSERT_TRUE(matcher.FindAll("(\\d)", "1 2 3 4 5"));
    ASSERT_EQ(matcher.MatchCount(), 5);
    EXPECT_FALSE(matcher.FindAll("(unbalanced", "1 2 3 4 5"));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.SubmatchText(1, 1), "");
}

TEST_F(PatternMatcherTest, LineFeedBreaksALink) {
    const Text broken = "<a href=\"06/1/2.html\" target=\"_blank\">first\nline</a>";
    const Text whole = Link("3", "4", "whole");
    ASSERT_TRUE(matcher.FindAll(kListingPattern, broken + "\n" + whole));
    ASSERT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.SubmatchText(1, 3), "whole");
}

TEST_F(PatternMatcherTest, TitlesComeBackByteForByte) {
    const Text chinese = Gbk(u8"数据库管理系统源码");
    // 0x80 and a lone 0xFF do not decode, yet come back unchanged.
    const Text odd = std::string("x\x80y\xFFz");
    ASSERT_TRUE(matcher.FindAll(kListingPattern, Link("a", "b", chinese) + Link("c", "d", odd)));
    ASSERT_EQ(matcher.MatchCount(), 2);
    EXPECT_EQ(matcher.SubmatchText(1, 3), chinese);
    EXPECT_EQ(matcher.SubmatchText(2, 3), odd);
}

TEST_F(PatternMatcherTest, DotIsOneWholeCharacter) {
    const Text one = Gbk(u8"a数b");
    const Text two = Gbk(u8"a数据b");
    EXPECT_TRUE(matcher.FindAll("a(.)b", one + " " + two));
    ASSERT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.SubmatchText(1, 1), Gbk(u8"数"));
}

TEST_F(PatternMatcherTest, OptionsChangeTheSearch) {
    EXPECT_TRUE(matcher.FindAll("(b)", "B b", /*caseSensitive=*/true));
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_TRUE(matcher.FindAll("(b)", "B b", false, true, /*global=*/false));
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.SubmatchText(1, 1), "B");
    EXPECT_TRUE(matcher.FindAll("^(\\w)", "a\nb"));
    EXPECT_EQ(matcher.MatchCount(), 2);
    EXPECT_TRUE(matcher.FindAll("^(\\w)", "a\nb", false, /*multiline=*/false));
    EXPECT_EQ(matcher.MatchCount(), 1);
}

TEST_F(PatternMatcherTest, QuoteTokenStandsForADoubleQuote) {
    const Text pattern = Gbk(u8"title=#引号(.*?)#引号");
    const Text quoted = "<img title=\"cover\">";
    ASSERT_TRUE(matcher.FindAll(pattern, quoted, false, true, true, /*quoteToken=*/true));
    ASSERT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.SubmatchText(1, 1), "cover");

    ASSERT_TRUE(matcher.FindAll(pattern, quoted));
    EXPECT_EQ(matcher.MatchCount(), 0);
    ASSERT_TRUE(matcher.FindAll(pattern, Gbk(u8"title=#引号raw#引号")));
    ASSERT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.SubmatchText(1, 1), "raw");
}

// An engine that records what it was given and plays back a scripted answer.
class ScriptedEngines : public RegexEngineFactory {
public:
    struct Call {
        std::u32string pattern;
        RegexOptions options;
    };

    std::unique_ptr<RegexEngine> Create() override {
        ++created;
        if (!canCreate) {
            return nullptr;
        }
        return std::make_unique<Engine>(*this);
    }

    bool canCreate = true;
    std::optional<std::vector<MatchGroups>> answer = std::vector<MatchGroups>{};
    std::vector<Call> calls;
    int created = 0;

private:
    class Engine : public RegexEngine {
    public:
        explicit Engine(ScriptedEngines& owner) : owner_(owner) {}
        std::optional<std::vector<MatchGroups>> Execute(std::u32string_view pattern,
                                                        std::u32string_view,
                                                        const RegexOptions& options) override {
            owner_.calls.push_back({std::u32string(pattern), options});
            return owner_.answer;
        }

    private:
        ScriptedEngines& owner_;
    };
};

TEST(PatternMatcherEngineTest, NoEngineMeansNoResults) {
    ScriptedEngines engines;
    PatternMatcher matcher(engines);
    engines.answer = std::vector<MatchGroups>{{CharacterSpan{0, 1}}};
    ASSERT_TRUE(matcher.FindAll("x", "a"));
    ASSERT_EQ(matcher.MatchCount(), 1);

    engines.canCreate = false;
    EXPECT_FALSE(matcher.FindAll("x", "a"));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.SubmatchText(1, 1), "");
}

TEST(PatternMatcherEngineTest, RefusalMeansNoResults) {
    ScriptedEngines engines;
    PatternMatcher matcher(engines);
    engines.answer = std::nullopt;
    EXPECT_FALSE(matcher.FindAll("x", "a"));
    EXPECT_EQ(matcher.MatchCount(), 0);
}

TEST(PatternMatcherEngineTest, EverySearchGetsAFreshEngineWithTheDefaults) {
    ScriptedEngines engines;
    PatternMatcher matcher(engines);
    matcher.FindAll(Gbk(u8"数"), "a");
    matcher.FindAll("p", "a", true, false, false);
    EXPECT_EQ(engines.created, 2);
    ASSERT_EQ(engines.calls.size(), 2u);
    EXPECT_EQ(engines.calls[0].pattern, U"数");
    const RegexOptions& defaults = engines.calls[0].options;
    EXPECT_TRUE(defaults.ignoreCase && defaults.multiline && defaults.global);
    const RegexOptions& given = engines.calls[1].options;
    EXPECT_FALSE(given.ignoreCase || given.multiline || given.global);
}

TEST(PatternMatcherEngineTest, SpansBeyondTheSubjectReadAsEmpty) {
    ScriptedEngines engines;
    PatternMatcher matcher(engines);
    engines.answer = std::vector<MatchGroups>{{CharacterSpan{0, 9}, CharacterSpan{2, 1}}};
    ASSERT_TRUE(matcher.FindAll("x", "ab"));
    EXPECT_EQ(matcher.SubmatchText(1, 1), "");
    EXPECT_EQ(matcher.SubmatchText(1, 2), "");
}

}  // namespace
}  // namespace zelkor
