#include "app/browserboxview.h"

#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

#include "app/qtext.h"
#include "app/silentpage.h"

namespace zelkor {

BrowserBoxView::BrowserBoxView(QWidget* parent)
    : QWebEngineView(parent),
      profile_(std::make_unique<QWebEngineProfile>()),
      page_(std::make_unique<SilentPage>(profile_.get(), nullptr)) {
    // A download started by the page goes where a browser would put it, under the site's name.
    connect(profile_.get(), &QWebEngineProfile::downloadRequested, this,
            [](QWebEngineDownloadRequest* download) { download->accept(); });
    connect(page_.get(), &SilentPage::Parsed, this, &BrowserBoxView::NavigationComplete);
    setPage(page_.get());
    setZoomFactor(1.0);  // text size level 2 of 0..4
    QWebEngineView::setVisible(false);
}

BrowserBoxView::~BrowserBoxView() {
    page_.reset();
}

void BrowserBoxView::Navigate(const Text& address) {
    load(QUrl(ToQString(address)));
}

void BrowserBoxView::setVisible(bool) {
    QWebEngineView::setVisible(false);
}

}  // namespace zelkor
