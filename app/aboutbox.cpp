#include "app/aboutbox.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

#include "app/qtext.h"

namespace zelkor {
namespace {

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString AboutTitle() {
    return ToQString(u8"关于本软：");
}

QString AboutText() {
    return QStringList{
        ToQString(u8"本软件是作者自用的Zelkor资源网源码循环采集工具，资源网地址：") +
            Latin(kAboutSiteAddress),
        ToQString(u8"可循环采集每个列表页的全部源码，任意一个源码都能一键下载，方便学习研究。"),
        ToQString(u8"作者的其他源码可到网盘下载：") + Latin(kCloudDriveShareAddress),
        ToQString(u8"联系电话：") + Latin(kAboutContactNumber),
    }
        .join(QLatin1Char('\n'));
}

void ShowAbout() {
    QMessageBox box(QMessageBox::Information, AboutTitle(), AboutText(), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void OpenCloudDriveShare() {
    QDesktopServices::openUrl(QUrl(Latin(kCloudDriveShareAddress)));
}

}  // namespace zelkor
