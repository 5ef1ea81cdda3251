#pragma once

#include <optional>
#include <string>
#include <vector>

#include "harvest/categories.h"
#include "text/text.h"

namespace zelkor::cli {

enum class OutputFormat { Tsv, Csv, Json };

enum class Command { Category, Search, ListCategories };

struct Invocation {
    Command command = Command::ListCategories;
    OutputFormat format = OutputFormat::Tsv;
    bool statusLog = false;
    std::optional<Text> siteBase;
    const CategoryRow* category = nullptr;  // for Command::Category
    Text keyword;                           // for Command::Search, as GBK
};

// The invocation, or the one-line reason why the arguments make none.
struct ParsedArguments {
    std::optional<Invocation> invocation;
    std::string error;
};

ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

inline constexpr const char* kUsage =
    "usage: zelkor-cli [--site-base URL] [--format tsv|csv|json] [--status-log] "
    "(category NAME | search KEYWORD | categories)";

}  // namespace zelkor::cli
