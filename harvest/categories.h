#pragma once

#include <array>
#include <string_view>

#include "text/text.h"

namespace zelkor {

// One category command of the menu bar: the menu it sits in, its text, and the two address
// segments of its pages. Texts are UTF-8 here; the harvest turns them into GBK where it needs them.
struct CategoryRow {
    std::u8string_view menu;
    std::u8string_view command;
    std::string_view section;
    std::string_view category;
};

inline constexpr std::u8string_view kSourceMenu = u8"源码分类";
inline constexpr std::u8string_view kTutorialMenu = u8"教程分类";

inline constexpr std::array<CategoryRow, 12> kCategoryTable{{
    {kSourceMenu, u8"系统工具", "wode_source", "etools"},
    {kSourceMenu, u8"图形图像", "wode_source", "eimage"},
    {kSourceMenu, u8"多媒体类", "wode_source", "emedia"},
    {kSourceMenu, u8"游戏娱乐", "wode_source", "egame"},
    {kSourceMenu, u8"数据库类", "wode_source", "edata"},
    {kSourceMenu, u8"模块控件", "wode_source", "ecom"},
    {kSourceMenu, u8"行业软件", "wode_source", "etrade"},
    {kSourceMenu, u8"网络相关", "wode_source", "enetwork"},
    {kTutorialMenu, u8"入门教程", "wode_study", "eintroduction"},
    {kTutorialMenu, u8"初级教程", "wode_study", "ebasic"},
    {kTutorialMenu, u8"进阶教程", "wode_study", "eintermediate"},
    {kTutorialMenu, u8"高级教程", "wode_study", "eadvanced"},
}};

// The category chosen last; empty until the first category command. Both are GBK texts.
struct CatalogueSelection {
    Text currentSection;
    Text currentCategory;
};

// Sets `selection` from `row`, as a category command does before it harvests.
void SelectCategory(CatalogueSelection& selection, const CategoryRow& row);

}  // namespace zelkor
