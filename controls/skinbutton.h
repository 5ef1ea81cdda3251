#pragma once

#include "text/text.h"

namespace zelkor {

// The button that steps through the skins.
class SkinButton {
public:
    virtual ~SkinButton() = default;

    virtual void SetCaption(const Text& caption) = 0;
};

}  // namespace zelkor
