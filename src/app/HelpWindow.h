// The program's own help window: the help page at a topic, with history, search and a way out to
// the desktop's browser.
#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;
class QToolButton;

namespace vorpel {

class QtPlatform;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QtPlatform& platform);

    // Shows `page` at the anchor `topic` and brings the window up. A window opened while a modal
    // window is up goes with that window, so that the modal one does not block it.
    void ShowTopic(const QString& page, const QString& topic);

    QTextBrowser* browser;
    QToolButton* backButton;
    QToolButton* forwardButton;
    QLineEdit* findEdit;
    QPushButton* findButton;
    QLabel* notFoundLabel; // says when a search found nothing
    QPushButton* openInBrowserButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Selects the next match of the search text after the cursor, from the top once the end is
    // reached; true when one was found.
    bool FindNext();
    void OpenInBrowser();
    // Makes the window a child of `modal` (or a window of its own for null), keeping its place.
    void FollowModal(QWidget* modal);

    QtPlatform& platform_;
    QPointer<QWidget> modal_;
};

} // namespace vorpel
