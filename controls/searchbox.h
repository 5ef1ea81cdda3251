#pragma once

#include "text/text.h"

namespace zelkor {

// The one-line search box.
class SearchBox {
public:
    virtual ~SearchBox() = default;

    // The box's current text, unchanged.
    virtual Text SearchText() const = 0;
};

}  // namespace zelkor
