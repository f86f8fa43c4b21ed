// F1 in every window: the help page at the topic of the window that has the focus.
#include "app/HelpKey.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vorpel {

namespace {

// A Help button by its name or, where it has none, by its caption.
bool IsHelpButton(const QAbstractButton& button) {
    if (button.objectName() == QLatin1String("helpButton")) return true;
    QString caption = button.text();
    caption.remove(u'&');
    return caption == QLatin1String("Help");
}

class HelpKeyFilter : public QObject {
public:
    explicit HelpKeyFilter(QObject& owner) : QObject(&owner) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        // The window's own button, not one of a window opened from it.
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (IsHelpButton(*button) && button->window() == window && button->isVisible() &&
                button->isEnabled()) {
                button->click();
                return true;
            }
        return false;
    }
};

} // namespace

void InstallHelpKey(QObject& owner) {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(new HelpKeyFilter(owner));
}

} // namespace vorpel
