// A category harvest into the real window (offscreen) against the same harvest into the
// command-line tool's controls, in one process over the same site, round after round.
// Usage: bench_window_harvest SITE_BASE [CATEGORY] [ROUNDS]
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/coreparts.h"
#include "app/mainwindow.h"
#include "app/qtext.h"
#include "app/resultlistview.h"
#include "cli/terminalcontrols.h"
#include "harvest/sitebase.h"
#include "web/httprequest.h"

namespace {

using namespace zelkor;
using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename F>
double Milliseconds(F&& f) {
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SITE_BASE [CATEGORY] [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::string category = argc > 2 ? argv[2] : "etools";
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 15;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    SetSiteBase(argv[1]);

    CoreProgramParts parts;
    parts.CreatePatternMatcher();
    RouteRelay relay;
    CatalogueSelection selection;
    MainWindow window(relay, selection);
    relay.Bind(parts.BindWindow(window, selection));
    window.OnMainWindowCreated();
    application.processEvents();

    const CategoryRow* row = nullptr;
    for (const CategoryRow& r : kCategoryTable) {
        row = r.category == category ? &r : row;
    }
    QAction* item = nullptr;
    for (QAction* menu : window.menuBar()->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            item = row && action->text() == ToQString(row->command) ? action : item;
        }
    }
    if (!item) {
        std::fprintf(stderr, "unknown category %s\n", category.c_str());
        return 2;
    }

    Pcre2EngineFactory engines;
    PatternMatcher matcher(engines);
    SteadyUptimeClock clock;
    HarvestServices services{matcher, clock, [](std::string_view a) { return FetchPageText(a); }};
    CatalogueSelection cliSelection;
    SelectCategory(cliSelection, *row);

    std::vector<double> terminal;
    std::vector<double> windowed;
    std::size_t terminalRows = 0;
    for (int i = 0; i < rounds + 2; ++i) {
        cli::CollectedRows rows;
        cli::StatusLine status(nullptr);
        const double t =
            Milliseconds([&] { HarvestCategory(cliSelection, services, rows, status); });
        const double w = Milliseconds([&] { item->trigger(); });
        application.processEvents();
        terminalRows = rows.rows.size();
        if (i >= 2) {  // the first rounds warm the connection and the caches
            terminal.push_back(t);
            windowed.push_back(w);
        }
    }
    const int windowRows = window.ResultList().topLevelItemCount();
    std::printf("rows: command-line controls %zu, window %d\n", terminalRows, windowRows);
    std::printf("%-28s%12s%10s\n", "", "median ms", "ratio");
    std::printf("%-28s%12.1f%10.2f\n", "command-line controls", Median(terminal), 1.0);
    std::printf("%-28s%12.1f%10.2f\n", "window (offscreen)", Median(windowed),
                Median(windowed) / Median(terminal));
    parts.DestroyPatternMatcher();
    return terminalRows == static_cast<std::size_t>(windowRows) ? 0 : 1;
}
