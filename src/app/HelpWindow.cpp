// The program's own help window: the help page at a topic, with history, search and a way out to
// the desktop's browser.
#include "app/HelpWindow.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Help.h"
#include "app/QtPlatform.h"

namespace vorpel {

using namespace Qt::StringLiterals;

HelpWindow::HelpWindow(QtPlatform& platform) : QWidget(nullptr, Qt::Window), platform_(platform) {
    setObjectName(u"HelpWindow"_s);
    setWindowTitle(u"Help"_s + platform.boxCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 600);
    // Beside the program's window, on its screen and inside the work area.
    const QWidget* owner = platform.window;
    const QRect near = owner != nullptr ? owner->frameGeometry() : QRect();
    MoveOntoScreen(*this, near.isNull() ? QPoint(60, 60) : near.topLeft() + QPoint(60, 60),
                   platform.memory.frameMargins);

    backButton = new QToolButton(this);
    backButton->setObjectName(u"backButton"_s);
    backButton->setArrowType(Qt::LeftArrow);
    backButton->setToolTip(u"Back"_s);
    backButton->setEnabled(false);
    forwardButton = new QToolButton(this);
    forwardButton->setObjectName(u"forwardButton"_s);
    forwardButton->setArrowType(Qt::RightArrow);
    forwardButton->setToolTip(u"Forward"_s);
    forwardButton->setEnabled(false);
    auto* findLabel = new QLabel(u"&Find:"_s, this);
    findEdit = new QLineEdit(this);
    findEdit->setObjectName(u"findEdit"_s);
    findEdit->setClearButtonEnabled(true);
    findLabel->setBuddy(findEdit);
    findButton = new QPushButton(u"Find next"_s, this);
    findButton->setObjectName(u"findButton"_s);
    findButton->setAutoDefault(false);
    notFoundLabel = new QLabel(this);
    notFoundLabel->setObjectName(u"notFoundLabel"_s);
    openInBrowserButton = new QPushButton(u"Open in browser"_s, this);
    openInBrowserButton->setObjectName(u"openInBrowserButton"_s);
    openInBrowserButton->setAutoDefault(false);

    browser = new QTextBrowser(this);
    browser->setObjectName(u"browser"_s);
    // Links to other pages go to the desktop; anchors of this page stay here.
    browser->setOpenExternalLinks(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(backButton);
    bar->addWidget(forwardButton);
    bar->addSpacing(12);
    bar->addWidget(findLabel);
    bar->addWidget(findEdit, 1);
    bar->addWidget(findButton);
    bar->addWidget(notFoundLabel);
    bar->addSpacing(12);
    bar->addWidget(openInBrowserButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser, 1);

    connect(backButton, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, backButton, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton, &QToolButton::setEnabled);
    connect(findEdit, &QLineEdit::returnPressed, this, &HelpWindow::FindNext);
    connect(findButton, &QPushButton::clicked, this, &HelpWindow::FindNext);
    connect(findEdit, &QLineEdit::textEdited, notFoundLabel, &QLabel::clear);
    connect(openInBrowserButton, &QPushButton::clicked, this, &HelpWindow::OpenInBrowser);
    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        findEdit->setFocus(Qt::ShortcutFocusReason);
        findEdit->selectAll();
    });
    for (const auto& [keys, slot] : {std::pair{QKeySequence::Back, &QTextBrowser::backward},
                                     std::pair{QKeySequence::Forward, &QTextBrowser::forward}})
        connect(new QShortcut(keys, this), &QShortcut::activated, browser, slot);
}

void HelpWindow::ShowTopic(const QString& page, const QString& topic) {
    FollowModal(QApplication::activeModalWidget());
    QUrl url = QUrl::fromLocalFile(page);
    url.setFragment(topic);
    browser->setSource(url);
    // A page already shown at another place keeps its source; the anchor still has to be reached.
    browser->scrollToAnchor(topic);
    show();
    raise();
    activateWindow();
}

bool HelpWindow::FindNext() {
    notFoundLabel->clear();
    const QString text = findEdit->text();
    if (text.isEmpty()) return false;
    if (browser->find(text)) return true;
    QTextCursor start = browser->textCursor();
    start.movePosition(QTextCursor::Start);
    browser->setTextCursor(start);
    if (browser->find(text)) return true;
    notFoundLabel->setText(u"Not found."_s);
    return false;
}

void HelpWindow::OpenInBrowser() {
    const QUrl url = browser->source();
    if (!platform_.OpenUrl(url))
        platform_.ShowInfo({kHelpNoProgram, ToFileName(url.toLocalFile())});
}

void HelpWindow::FollowModal(QWidget* modal) {
    if (modal == this) return;
    QWidget* parent = modal != nullptr ? modal->window() : nullptr;
    if (parentWidget() == parent) return;
    if (modal_) modal_->removeEventFilter(this);
    const QRect place = geometry();
    const bool shown = isVisible();
    setParent(parent, Qt::Window);
    setGeometry(place);
    modal_ = parent;
    if (modal_) modal_->installEventFilter(this);
    if (shown) show();
}

// The modal window is going: the help stays, as a window of its own.
bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == modal_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close))
        FollowModal(nullptr);
    return QWidget::eventFilter(watched, event);
}

} // namespace vorpel
