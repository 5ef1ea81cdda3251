#pragma once

#include <functional>
#include <vector>

#include "app/commandroutes.h"

namespace zelkor::testsupport {

// Counts every route the window takes; `onApplySkin` lets a test look at the window then.
class RecordingRoutes final : public CommandRoutes {
public:
    void HarvestCategory() override { ++harvestCategory; }
    void HarvestSearch() override { ++harvestSearch; }
    void RequestDownload() override { ++requestDownload; }
    void OnDownloadPageNavigated() override { ++downloadPageNavigated; }
    void NextSkin() override { ++nextSkin; }
    void ApplySkin(int number) override {
        appliedSkins.push_back(number);
        if (onApplySkin) {
            onApplySkin();
        }
    }

    int Total() const {
        return harvestCategory + harvestSearch + requestDownload + downloadPageNavigated +
               nextSkin + static_cast<int>(appliedSkins.size());
    }

    int harvestCategory = 0;
    int harvestSearch = 0;
    int requestDownload = 0;
    int downloadPageNavigated = 0;
    int nextSkin = 0;
    std::vector<int> appliedSkins;
    std::function<void()> onApplySkin;
};

}  // namespace zelkor::testsupport
