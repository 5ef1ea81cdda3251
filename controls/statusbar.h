#pragma once

#include "text/text.h"

namespace zelkor {

// The status bar's single part.
class StatusBar {
public:
    virtual ~StatusBar() = default;

    // Shows `text` at once, even while the caller keeps the window busy.
    virtual void SetStatusText(const Text& text) = 0;
};

}  // namespace zelkor
