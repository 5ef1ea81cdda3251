#include "app/statusbarview.h"

#include <QLabel>
#include <QPainter>
#include <QStaticText>
#include <map>

#include "app/qtext.h"

namespace zelkor {
namespace {

constexpr int kPartTop = 2;
constexpr std::size_t kCachedTexts = 16;

// The bar's part. A harvest repaints it at once for every new text, cycling through a handful of
// texts per page; keeping their laid-out glyphs saves shaping the same text again each time.
class StatusPart final : public QLabel {
public:
    explicit StatusPart(QWidget* parent) : QLabel(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);  // the sunken panel
        QPainter painter(this);
        const QRect area = contentsRect().adjusted(indent(), 0, 0, 0);
        painter.setClipRect(area);
        painter.setPen(palette().color(foregroundRole()));
        const QStaticText& laidOut = LaidOut(text());
        const int top = area.top() + (area.height() - qRound(laidOut.size().height())) / 2;
        painter.drawStaticText(QPoint(area.left(), top), laidOut);
    }

private:
    const QStaticText& LaidOut(const QString& text) {
        if (auto it = cache_.find(text); it != cache_.end()) {
            return it->second;
        }
        if (cache_.size() >= kCachedTexts) {
            cache_.clear();
        }
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), font());
        return cache_.emplace(text, std::move(laidOut)).first->second;
    }

    std::map<QString, QStaticText> cache_;
};

}  // namespace

StatusBarView::StatusBarView(QWidget* parent) : QStatusBar(parent), part_(new StatusPart(this)) {
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
