#pragma once

#include <QStatusBar>

#include "controls/statusbar.h"

class QLabel;

namespace zelkor {

// `状态条1`: one sunken part whose right edge lies at 255 pixels, no size grip.
class StatusBarView final : public QStatusBar, public StatusBar {
    Q_OBJECT

public:
    static constexpr int kPartRightEdge = 255;

    explicit StatusBarView(QWidget* parent);

    void SetStatusText(const Text& text) override;
    QString Shown() const;
    const QLabel& Part() const { return *part_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* part_;  // owned by this bar
};

}  // namespace zelkor
