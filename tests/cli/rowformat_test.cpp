#include <gtest/gtest.h>

#include <sstream>

#include "cli/rowformat.h"
#include "text/gbk.h"

namespace zelkor::cli {
namespace {

std::string Write(const std::vector<std::vector<Text>>& rows, OutputFormat format) {
    std::ostringstream out;
    WriteRows(out, rows, format);
    return out.str();
}

const std::vector<std::vector<Text>> kRows = {
    {"1", "2024-03", "17", Gbk(u8"系统\t工具")},
    {"2", "a,b", "q\"x", "line\r\nback\\slash"},
    {"3", "", "", "bad \xFF byte"},
};

TEST(RowFormatTest, TsvEscapesSeparatorsAndBackslashes) {
    EXPECT_EQ(Write(kRows, OutputFormat::Tsv),
              "1\t2024-03\t17\t系统\\t工具\n"
              "2\ta,b\tq\"x\tline\\r\\nback\\\\slash\n"
              "3\t\t\tbad \xEF\xBF\xBD byte\n");
}

TEST(RowFormatTest, CsvQuotesAsRfc4180WithAHeader) {
    EXPECT_EQ(Write(kRows, OutputFormat::Csv),
              "序号,日期,ID,标题\r\n"
              "1,2024-03,17,系统\t工具\r\n"
              "2,\"a,b\",\"q\"\"x\",\"line\r\nback\\slash\"\r\n"
              "3,,,bad \xEF\xBF\xBD byte\r\n");
}

TEST(RowFormatTest, JsonIsOneArrayOfObjects) {
    EXPECT_EQ(Write({}, OutputFormat::Json), "[]\n");
    EXPECT_EQ(Write({kRows[1]}, OutputFormat::Json),
              "[\n {\"number\": \"2\", \"segment1\": \"a,b\", \"segment2\": \"q\\\"x\", "
              "\"title\": \"line\\r\\nback\\\\slash\"}\n]\n");
    EXPECT_NE(Write({{"1", "\x01", "", ""}}, OutputFormat::Json).find("\\u0001"),
              std::string::npos);
}

}  // namespace
}  // namespace zelkor::cli
