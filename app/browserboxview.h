#pragma once

#include <QString>
#include <QWebEngineView>
#include <memory>

#include "controls/browserbox.h"

class QWebEngineProfile;

namespace zelkor {

class SilentPage;

// `超文本浏览框1`: a browser that is never shown. NavigationComplete is raised once for the page
// and once for every frame in it, when that document has been parsed.
class BrowserBoxView final : public QWebEngineView, public BrowserBox {
    Q_OBJECT

public:
    explicit BrowserBoxView(QWidget* parent);
    ~BrowserBoxView() override;

    void Navigate(const Text& address) override;
    // The box's own window, the ancestor of whatever the engine draws the page in.
    QWidget& Window() { return *this; }
    // Nothing may show the box, not even a caller that shows every child.
    void setVisible(bool visible) override;

signals:
    void NavigationComplete();

private:
    std::unique_ptr<QWebEngineProfile> profile_;
    std::unique_ptr<SilentPage> page_;  // destroyed before the profile it lives in
};

}  // namespace zelkor
