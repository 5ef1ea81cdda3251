#include "app/coreparts.h"

#include "app/mainwindow.h"
#include "web/httprequest.h"

namespace zelkor {

CoreRoutes::CoreRoutes(WindowControls controls, const CatalogueSelection& selection,
                       HarvestServices services)
    : controls_(controls), selection_(selection), services_(std::move(services)) {}

void CoreRoutes::HarvestCategory() {
    zelkor::HarvestCategory(selection_, services_, controls_.resultList, controls_.statusBar);
}

void CoreRoutes::HarvestSearch() {
    zelkor::HarvestSearch(services_, controls_.resultList, controls_.statusBar,
                          controls_.searchBox);
}

void CoreProgramParts::CreatePatternMatcher() {
    matcher_ = std::make_unique<PatternMatcher>(engines_);
}

CommandRoutes& CoreProgramParts::BindWindow(MainWindow& window, CatalogueSelection& selection) {
    HarvestServices services{*matcher_, clock_,
                             [](std::string_view address) { return FetchPageText(address); }};
    routes_ = std::make_unique<CoreRoutes>(window.Controls(), selection, std::move(services));
    return *routes_;
}

void CoreProgramParts::DestroyPatternMatcher() {
    routes_.reset();
    matcher_.reset();
}

}  // namespace zelkor
