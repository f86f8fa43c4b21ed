// Help: the page beside the program, opened at a window's topic by the desktop's browser.
#include "app/Help.h"

#include <QFileInfo>
#include <QUrl>

#include "app/QtPlatform.h"

namespace vorpel {

void ShowHelp(QtPlatform& platform, const std::string& topic) {
    const std::string page = ToFileName(platform.helpPage);
    if (platform.helpPage.isEmpty() || !QFileInfo(platform.helpPage).isFile()) {
        platform.ShowInfo({page, kHelpNotFound});
        return;
    }
    QUrl url = QUrl::fromLocalFile(QFileInfo(platform.helpPage).absoluteFilePath());
    url.setFragment(QString::fromStdString(topic));
    if (!platform.OpenUrl(url)) platform.ShowInfo({kHelpNoProgram, page});
}

} // namespace vorpel
