#pragma once

namespace zelkor {

// The main window itself, as far as the core needs it.
class MainWindowControl {
public:
    virtual ~MainWindowControl() = default;

    // Shows the window for the first time.
    virtual void MakeVisible() = 0;
};

}  // namespace zelkor
