#pragma once

#include <QPoint>
#include <QWidget>

namespace zelkor {

// The bare face of the main window. A left press anywhere on it drags the window, as its title
// bar would: through the window manager where it can, by following the mouse otherwise.
class WindowFace final : public QWidget {
    Q_OBJECT

public:
    explicit WindowFace(QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool following_ = false;
    QPoint grabOffset_;
};

}  // namespace zelkor
