#pragma once

#include "app/commandroutes.h"
#include "harvest/categories.h"

namespace zelkor {

class MainWindow;

// The program's long-lived core objects and the routes that use them. RunProgram calls these
// once each, in the order the program starts and ends:
//   CreatePatternMatcher, CreatePageAutomation, BindWindow (window created, still hidden),
//   ... the window's life ..., DestroyPatternMatcher, (selection released), DestroyPageAutomation.
class ProgramParts {
public:
    virtual ~ProgramParts() = default;

    virtual void CreatePatternMatcher() = 0;
    virtual void CreatePageAutomation() = 0;
    // The routes for the window's commands; they may keep `window` and `selection` until
    // DestroyPatternMatcher. The window's controls: `window.Controls()`, its browser:
    // `window.Browser()`.
    virtual CommandRoutes& BindWindow(MainWindow& window, CatalogueSelection& selection) = 0;
    // Called after the window has been destroyed.
    virtual void DestroyPatternMatcher() = 0;
    virtual void DestroyPageAutomation() = 0;
};

// Parts that make nothing: the window runs and its commands do nothing.
class IdleProgramParts final : public ProgramParts {
public:
    void CreatePatternMatcher() override {}
    void CreatePageAutomation() override {}
    CommandRoutes& BindWindow(MainWindow&, CatalogueSelection&) override { return routes_; }
    void DestroyPatternMatcher() override {}
    void DestroyPageAutomation() override {}

private:
    IdleRoutes routes_;
};

}  // namespace zelkor
