#pragma once

namespace zelkor {

// The routines that the window's commands and events reach. The window knows nothing of what
// they do; each returns once its work is done.
class CommandRoutes {
public:
    virtual ~CommandRoutes() = default;

    // A category command, after the catalogue selection has been set.
    virtual void HarvestCategory() = 0;
    // The search button, or Enter in the search box.
    virtual void HarvestSearch() = 0;
    // A row of the result list has become the current row.
    virtual void RequestDownload() = 0;
    // The hidden browser has navigated to a page or a frame.
    virtual void OnDownloadPageNavigated() = 0;
    // The skin button.
    virtual void NextSkin() = 0;
    // Start-up dresses the window with skin `number` before it shows.
    virtual void ApplySkin(int number) = 0;
};

// Routes that do nothing: the window works, and no command has an effect.
class IdleRoutes final : public CommandRoutes {
public:
    void HarvestCategory() override {}
    void HarvestSearch() override {}
    void RequestDownload() override {}
    void OnDownloadPageNavigated() override {}
    void NextSkin() override {}
    void ApplySkin(int) override {}
};

// Forwards to routes chosen after the window exists; does nothing until then.
class RouteRelay final : public CommandRoutes {
public:
    RouteRelay() = default;
    RouteRelay(const RouteRelay&) = delete;  // it points into itself until bound
    RouteRelay& operator=(const RouteRelay&) = delete;

    void Bind(CommandRoutes& target) { target_ = &target; }

    void HarvestCategory() override { target_->HarvestCategory(); }
    void HarvestSearch() override { target_->HarvestSearch(); }
    void RequestDownload() override { target_->RequestDownload(); }
    void OnDownloadPageNavigated() override { target_->OnDownloadPageNavigated(); }
    void NextSkin() override { target_->NextSkin(); }
    void ApplySkin(int number) override { target_->ApplySkin(number); }

private:
    IdleRoutes idle_;
    CommandRoutes* target_ = &idle_;
};

}  // namespace zelkor
