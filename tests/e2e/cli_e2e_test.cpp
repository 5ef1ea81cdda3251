#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/childprocess.h"

namespace zelkor {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using testsupport::ProcessResult;
using testsupport::RunProcess;

class CliTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { site = new testsupport::DemoSiteProcess(); }
    static void TearDownTestSuite() {
        delete site;
        site = nullptr;
    }
    void SetUp() override { ASSERT_FALSE(site->Base().empty()) << "the demo site did not start"; }

    static ProcessResult Cli(std::vector<std::string> args) {
        args.insert(args.begin(), {ZELKOR_CLI, "--site-base", site->Base()});
        return RunProcess(args);
    }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    static testsupport::DemoSiteProcess* site;
};

testsupport::DemoSiteProcess* CliTest::site = nullptr;

TEST_F(CliTest, CategoryByMenuTextOrSegmentGivesTheSameRows) {
    const ProcessResult byText = Cli({"category", "游戏娱乐"});
    const ProcessResult bySegment = Cli({"category", "egame"});
    ASSERT_EQ(byText.exitCode, 0) << byText.err;
    EXPECT_EQ(byText.out, bySegment.out);
    const auto rows = Lines(byText.out);
    ASSERT_FALSE(rows.empty());
    EXPECT_THAT(rows.front(), StartsWith("1\t"));
    EXPECT_THAT(rows.back(), StartsWith(std::to_string(rows.size()) + "\t"));
    const auto status = Lines(byText.err);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_THAT(status.back(),
                StartsWith("本类源码共：" + std::to_string(rows.size()) + "个，用时："));
}

TEST_F(CliTest, SearchSendsTheKeywordInGbkAndCleansTitles) {
    const ProcessResult result = Cli({"--status-log", "search", "数据库"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto rows = Lines(result.out);
    ASSERT_FALSE(rows.empty());
    for (const std::string& row : rows) {
        EXPECT_THAT(row, HasSubstr("数据库"));
        EXPECT_THAT(row, ::testing::Not(HasSubstr("<font")));
    }
    const auto status = Lines(result.err);
    EXPECT_EQ(status.front(), "正在读取搜索页面源文件...");
    EXPECT_THAT(status.back(),
                StartsWith("搜到的源码共：" + std::to_string(rows.size()) + "个， 用时： "));
}

TEST_F(CliTest, FormatsCarryTheSameRows) {
    const ProcessResult tsv = Cli({"category", "ebasic"});
    const ProcessResult csv = Cli({"--format", "csv", "category", "ebasic"});
    const ProcessResult json = Cli({"--format", "json", "category", "ebasic"});
    ASSERT_EQ(csv.exitCode, 0);
    const auto rows = Lines(tsv.out);
    const auto csvLines = Lines(csv.out);
    ASSERT_EQ(csvLines.size(), rows.size() + 1);
    EXPECT_EQ(csvLines.front(), "序号,日期,ID,标题\r");
    ASSERT_EQ(json.exitCode, 0);
    EXPECT_THAT(json.out, StartsWith("[\n {\"number\": \"1\", \"segment1\": "));
    EXPECT_EQ(Lines(json.out).size(), rows.size() + 2);
}

TEST_F(CliTest, UnreachableSiteHarvestsNothingButSucceeds) {
    const ProcessResult result =
        RunProcess({ZELKOR_CLI, "--site-base", "http://127.0.0.1:1/", "category", "etools"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err, StartsWith("本类源码共：个，用时："));
}

TEST_F(CliTest, BadInvocationsExitWithTwoAndOneLine) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"category", "nope"},
                                               {"search", "😀"},
                                               {"--site-base", "ftp://x/", "categories"},
                                               {"--format", "xml", "categories"}}) {
        std::vector<std::string> argv{ZELKOR_CLI};
        argv.insert(argv.end(), args.begin(), args.end());
        const ProcessResult result = RunProcess(argv);
        EXPECT_EQ(result.exitCode, 2) << args.front();
        EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
        EXPECT_EQ(result.out, "");
    }
    const ProcessResult list = RunProcess({ZELKOR_CLI, "categories"});
    EXPECT_EQ(Lines(list.out).size(), 12u);
    EXPECT_THAT(list.out, StartsWith("源码分类\t系统工具\twode_source\tetools\n"));
}

}  // namespace
}  // namespace zelkor
