// Help: the page beside the program, shown at a window's topic in the program's help window.
#include "app/Help.h"

#include <cassert>

#include <QFileInfo>

#include "app/HelpWindow.h"
#include "app/QtPlatform.h"
#include "files/HelpTopics.h"

namespace vorpel {

void ShowHelp(QtPlatform& platform, const std::string& topic) {
    assert(IsHelpTopic(topic));
    const std::string page = ToFileName(platform.helpPage);
    if (platform.helpPage.isEmpty() || !QFileInfo(platform.helpPage).isFile()) {
        platform.ShowInfo({page, kHelpNotFound});
        return;
    }
    if (!platform.helpWindow) platform.helpWindow = new HelpWindow(platform);
    platform.helpWindow->ShowTopic(QFileInfo(platform.helpPage).absoluteFilePath(),
                                   QString::fromStdString(topic));
}

} // namespace vorpel
