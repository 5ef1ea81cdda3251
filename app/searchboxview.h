#pragma once

#include <QLineEdit>
#include <cstdint>

#include "controls/searchbox.h"

namespace zelkor {

// The Windows virtual-key code of a Qt key (Enter is 13); 0 for keys without one here.
std::int32_t VirtualKeyCode(int qtKey);

// `搜索框`: a one-line edit box raising KeyDown for every key press, the key still going on
// to the box.
class SearchBoxView final : public QLineEdit, public SearchBox {
    Q_OBJECT

public:
    explicit SearchBoxView(QWidget* parent);

    Text SearchText() const override;

signals:
    void KeyDown(std::int32_t keyCode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zelkor
