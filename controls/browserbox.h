#pragma once

#include "text/text.h"

namespace zelkor {

// The hidden embedded browser.
class BrowserBox {
public:
    virtual ~BrowserBox() = default;

    // Starts loading `address` and returns at once; the page loads while the event loop runs.
    virtual void Navigate(const Text& address) = 0;
};

}  // namespace zelkor
