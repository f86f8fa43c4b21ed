// F1 in every window: the help page at the topic of the window that has the focus.
#pragma once

#include <QObject>

namespace vorpel {

// Installs, for the life of `owner`, one filter on the application that answers F1 in any window
// with a Help button (named "helpButton" or captioned "Help") as that button does: it knows the
// topic of the window and its mode. Windows without one (the main window) keep F1 for themselves.
void InstallHelpKey(QObject& owner);

} // namespace vorpel
