#pragma once

#include <QPushButton>

#include "controls/skinbutton.h"

namespace zelkor {

// `换肤`.
class SkinButtonView final : public QPushButton, public SkinButton {
    Q_OBJECT

public:
    explicit SkinButtonView(QWidget* parent);

    void SetCaption(const Text& caption) override;
};

}  // namespace zelkor
