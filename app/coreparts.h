#pragma once

#include <memory>

#include "app/commandroutes.h"
#include "app/programparts.h"
#include "controls/windowcontrols.h"
#include "harvest/harvest.h"
#include "harvest/pcre2engine.h"

namespace zelkor {

// The window's commands, carried out by the core on the window's controls.
class CoreRoutes final : public CommandRoutes {
public:
    CoreRoutes(WindowControls controls, const CatalogueSelection& selection,
               HarvestServices services);

    void HarvestCategory() override;
    void HarvestSearch() override;
    // The download hand-off and the skins are not part of the program yet.
    void RequestDownload() override {}
    void OnDownloadPageNavigated() override {}
    void NextSkin() override {}
    void ApplySkin(int) override {}

private:
    WindowControls controls_;
    const CatalogueSelection& selection_;
    HarvestServices services_;
};

// The program's long-lived core objects: the pattern matcher with its engine, the uptime clock
// and the routes that use them; pages come through FetchPageText.
class CoreProgramParts final : public ProgramParts {
public:
    void CreatePatternMatcher() override;
    void CreatePageAutomation() override {}
    CommandRoutes& BindWindow(MainWindow& window, CatalogueSelection& selection) override;
    void DestroyPatternMatcher() override;
    void DestroyPageAutomation() override {}

private:
    Pcre2EngineFactory engines_;
    SteadyUptimeClock clock_;
    std::unique_ptr<PatternMatcher> matcher_;
    std::unique_ptr<CoreRoutes> routes_;
};

}  // namespace zelkor
