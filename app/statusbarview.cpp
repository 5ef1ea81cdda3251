#include "app/statusbarview.h"

#include <QLabel>

#include "app/qtext.h"

namespace zelkor {
namespace {

constexpr int kPartTop = 2;

}  // namespace

StatusBarView::StatusBarView(QWidget* parent) : QStatusBar(parent), part_(new QLabel(this)) {
    setSizeGripEnabled(false);
    part_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    part_->setAutoFillBackground(true);
    part_->setTextFormat(Qt::PlainText);
    part_->setIndent(2);
    setFixedHeight(part_->sizeHint().height() + kPartTop + 2);
}

void StatusBarView::SetStatusText(const Text& text) {
    const QString shown = ToQString(text);
    if (shown == part_->text()) {
        return;  // already on screen: a harvest repeats its per-row text thousands of times
    }
    part_->setText(shown);
    // Paint now: the caller may keep the event loop busy for a long time.
    part_->repaint();
}

QString StatusBarView::Shown() const {
    return part_->text();
}

void StatusBarView::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    part_->setGeometry(0, kPartTop, kPartRightEdge, height() - kPartTop);
}

}  // namespace zelkor
