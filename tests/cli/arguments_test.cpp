#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "text/gbk.h"

namespace zelkor::cli {
namespace {

using Args = std::vector<std::string>;

TEST(ArgumentsTest, ReadsCommandsAndOptions) {
    auto parsed = ParseArguments({"--format", "json", "--status-log", "--site-base",
                                  "http://127.0.0.1:8080/", "category", "系统工具"});
    ASSERT_TRUE(parsed.invocation) << parsed.error;
    EXPECT_EQ(parsed.invocation->command, Command::Category);
    EXPECT_EQ(parsed.invocation->format, OutputFormat::Json);
    EXPECT_TRUE(parsed.invocation->statusLog);
    EXPECT_EQ(parsed.invocation->siteBase, "http://127.0.0.1:8080/");
    EXPECT_EQ(parsed.invocation->category->category, "etools");

    parsed = ParseArguments({"category", "ebasic"});
    ASSERT_TRUE(parsed.invocation);
    EXPECT_EQ(parsed.invocation->category->section, "wode_study");
    EXPECT_EQ(parsed.invocation->format, OutputFormat::Tsv);
    EXPECT_FALSE(parsed.invocation->siteBase);

    parsed = ParseArguments({"search", "数据库"});
    ASSERT_TRUE(parsed.invocation);
    EXPECT_EQ(parsed.invocation->keyword, Gbk(u8"数据库"));

    parsed = ParseArguments({"categories"});
    ASSERT_TRUE(parsed.invocation);
    EXPECT_EQ(parsed.invocation->command, Command::ListCategories);
}

TEST(ArgumentsTest, RefusesWhatMakesNoInvocation) {
    const std::vector<std::pair<Args, std::string>> cases = {
        {{}, "no command"},
        {{"harvest"}, "unknown command"},
        {{"--verbose", "categories"}, "unknown option"},
        {{"--format", "xml", "categories"}, "unknown format"},
        {{"--format"}, "needs a value"},
        {{"category", "nope"}, "unknown category"},
        {{"category"}, "wrong number"},
        {{"search", "a", "b"}, "wrong number"},
        {{"search", "\xF0\x9F\x98\x80"}, "GBK"},
        {{"search", "\xC3"}, "GBK"},
        {{"--site-base", "ftp://x/", "categories"}, "bad site address"},
        {{"--site-base", "http://x", "categories"}, "bad site address"},
    };
    for (const auto& [args, reason] : cases) {
        const ParsedArguments parsed = ParseArguments(args);
        EXPECT_FALSE(parsed.invocation);
        EXPECT_NE(parsed.error.find(reason), std::string::npos) << parsed.error;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace zelkor::cli
