#include "app/windowface.h"

#include <QMouseEvent>
#include <QWindow>

namespace zelkor {

WindowFace::WindowFace(QWidget* parent) : QWidget(parent) {}

void WindowFace::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    QWindow* handle = window()->windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        return;
    }
    following_ = true;
    grabOffset_ = event->globalPosition().toPoint() - window()->pos();
}

void WindowFace::mouseMoveEvent(QMouseEvent* event) {
    if (following_ && (event->buttons() & Qt::LeftButton)) {
        window()->move(event->globalPosition().toPoint() - grabOffset_);
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void WindowFace::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        following_ = false;
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace zelkor
