#include "cli/arguments.h"

#include "harvest/sitebase.h"
#include "text/gbk.h"

namespace zelkor::cli {
namespace {

const CategoryRow* FindCategory(const std::string& name) {
    for (const CategoryRow& row : kCategoryTable) {
        if (name == Utf8Chars(row.command) || name == row.category) {
            return &row;
        }
    }
    return nullptr;
}

ParsedArguments Fail(std::string error) {
    return {std::nullopt, std::move(error)};
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& arguments) {
    Invocation invocation;
    std::size_t i = 0;
    for (; i < arguments.size() && arguments[i].starts_with("--"); ++i) {
        const std::string& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (option == "--status-log") {
            invocation.statusLog = true;
        } else if (option == "--format" && hasValue) {
            const std::string& format = arguments[++i];
            if (format == "tsv") {
                invocation.format = OutputFormat::Tsv;
            } else if (format == "csv") {
                invocation.format = OutputFormat::Csv;
            } else if (format == "json") {
                invocation.format = OutputFormat::Json;
            } else {
                return Fail("unknown format '" + format + "' (use tsv, csv or json)");
            }
        } else if (option == "--site-base" && hasValue) {
            const std::string& base = arguments[++i];
            if (!IsUsableSiteBase(base)) {
                return Fail("bad site address '" + base +
                            "': it must be an http or https address ending in /");
            }
            invocation.siteBase = base;
        } else if (option == "--format" || option == "--site-base") {
            return Fail(option + " needs a value");
        } else {
            return Fail("unknown option '" + option + "'");
        }
    }
    if (i >= arguments.size()) {
        return Fail(std::string("no command given; ") + kUsage);
    }
    const std::string& command = arguments[i];
    const std::size_t operands = arguments.size() - i - 1;
    if (command == "categories" && operands == 0) {
        invocation.command = Command::ListCategories;
    } else if (command == "category" && operands == 1) {
        invocation.command = Command::Category;
        invocation.category = FindCategory(arguments[i + 1]);
        if (!invocation.category) {
            return Fail("unknown category '" + arguments[i + 1] + "' (see: zelkor-cli categories)");
        }
    } else if (command == "search" && operands == 1) {
        invocation.command = Command::Search;
        const auto keyword = Utf8ToGbk(arguments[i + 1]);
        if (!keyword) {
            return Fail("the keyword holds characters that GBK cannot hold");
        }
        invocation.keyword = *keyword;
    } else if (command == "categories" || command == "category" || command == "search") {
        return Fail("wrong number of operands for '" + command + "'");
    } else {
        return Fail("unknown command '" + command + "'");
    }
    return {invocation, {}};
}

}  // namespace zelkor::cli
