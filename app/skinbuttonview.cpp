#include "app/skinbuttonview.h"

#include "app/qtext.h"

namespace zelkor {

SkinButtonView::SkinButtonView(QWidget* parent) : QPushButton(ToQString(u8"皮肤"), parent) {}

void SkinButtonView::SetCaption(const Text& caption) {
    setText(ToQString(caption));
}

}  // namespace zelkor
