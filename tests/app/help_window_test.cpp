// The help window on the shipped help page: each topic at its anchor, back and forward, the
// search field, the desktop's browser, and use while a modal window is up.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "app/Help.h"
#include "app/HelpWindow.h"
#include "app/QtPlatform.h"
#include "files/HelpTopics.h"

using namespace vorpel;

class HelpWindowTest : public QObject, test::MainWindowHarness {
    Q_OBJECT

    HelpWindow& Help() { return *platform_->helpWindow; }
    int Scrolled() { return Help().browser->verticalScrollBar()->value(); }

private Q_SLOTS:
    void init() {
        NewFolder();
        NewContext();
        platform_->helpPage = folder_->filePath(QStringLiteral("Vorpel.htm"));
        QVERIFY(
            QFile::copy(QStringLiteral(VORPEL_SOURCE_DIR "/data/Vorpel.htm"), platform_->helpPage));
    }
    void cleanup() { Stop(); }

    void everyTopicOpensAtItsAnchor() {
        int previous = -1;
        for (const HelpTopic& topic : kHelpTopics) {
            const QString name =
                QString::fromLatin1(topic.name.data(), qsizetype(topic.name.size()));
            ShowHelp(*platform_, std::string(topic.name));
            QVERIFY(platform_->helpWindow);
            QVERIFY(QTest::qWaitForWindowExposed(&Help()));
            QCOMPARE(Help().browser->source().fragment(), name);
            if (name != QLatin1String("Start")) QVERIFY2(Scrolled() > 0, qPrintable(name));
            QVERIFY2(Scrolled() != previous, qPrintable(name));
            previous = Scrolled();
        }
        QVERIFY(platform_->script->shown.empty());
        QVERIFY(platform_->script->opened.empty());
    }

    void backAndForwardWalkTheTopicsShown() {
        ShowHelp(*platform_, "Start");
        ShowHelp(*platform_, "Options");
        const int options = Scrolled();
        ShowHelp(*platform_, "MoveList");
        HelpWindow& help = Help();
        QVERIFY(Scrolled() != options);
        QVERIFY(help.backButton->isEnabled());
        QVERIFY(!help.forwardButton->isEnabled());
        help.backButton->click();
        QCOMPARE(help.browser->source().fragment(), QStringLiteral("Options"));
        QCOMPARE(Scrolled(), options);
        help.backButton->click();
        QCOMPARE(help.browser->source().fragment(), QStringLiteral("Start"));
        QVERIFY(!help.backButton->isEnabled());
        help.forwardButton->click();
        QCOMPARE(help.browser->source().fragment(), QStringLiteral("Options"));
        QVERIFY(help.forwardButton->isEnabled());
    }

    // Ctrl+F goes to the search field; Enter selects the next match, from the top after the last.
    void searchFindsTheNextMatchAndWraps() {
        ShowHelp(*platform_, "Start");
        HelpWindow& help = Help();
        help.activateWindow();
        help.browser->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(help.findEdit->hasFocus());
        QTest::keyClicks(help.findEdit, QStringLiteral("teleporter"));
        QList<int> found;
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(help.findEdit, Qt::Key_Return);
            const QTextCursor cursor = help.browser->textCursor();
            QCOMPARE(cursor.selectedText().toLower(), QStringLiteral("teleporter"));
            if (!found.isEmpty() && cursor.selectionStart() <= found.back()) break;
            found << cursor.selectionStart();
        }
        QVERIFY(found.size() > 2);
        QCOMPARE(help.browser->textCursor().selectionStart(), found.front()); // wrapped

        help.findEdit->setText(QStringLiteral("no such words in the page"));
        QTest::keyClick(help.findEdit, Qt::Key_Return);
        QVERIFY(!help.browser->textCursor().hasSelection());
        QCOMPARE(help.notFoundLabel->text(), QStringLiteral("Not found."));
        QTest::keyClicks(help.findEdit, QStringLiteral("x"));
        QVERIFY(help.notFoundLabel->text().isEmpty());
    }

    void theButtonOpensThePageInTheDesktopsBrowser() {
        ShowHelp(*platform_, "WriteGIF");
        Help().openInBrowserButton->click();
        QCOMPARE(platform_->script->opened.size(), std::size_t{1});
        const QUrl url = platform_->script->opened.front();
        QCOMPARE(url.toLocalFile(), QFileInfo(platform_->helpPage).absoluteFilePath());
        QCOMPARE(url.fragment(), QStringLiteral("WriteGIF"));
    }

    // Help asked for from a modal window takes clicks while that window is up, and stays open
    // when it closes.
    void helpFromAModalWindowStaysUsable() {
        QDialog dialog;
        dialog.resize(200, 100);
        bool clicked = false;
        QTimer::singleShot(0, &dialog, [&] {
            ShowHelp(*platform_, "Start");
            ShowHelp(*platform_, "Options");
            HelpWindow& help = Help();
            QVERIFY(QTest::qWaitForWindowExposed(&help));
            QVERIFY(QApplication::activeModalWidget() == &dialog);
            // A click through the window system, which drops input to windows a modal one blocks.
            const QPoint at = help.backButton->mapTo(&help, help.backButton->rect().center());
            QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {}, at);
            clicked = help.browser->source().fragment() == QLatin1String("Start");
            dialog.accept();
        });
        dialog.exec();
        QVERIFY(clicked);
        QVERIFY(platform_->helpWindow);
        QVERIFY(Help().isVisible());
        QVERIFY(Help().parentWidget() == nullptr);
        Help().forwardButton->click();
        QCOMPARE(Help().browser->source().fragment(), QStringLiteral("Options"));
    }
};

VORPEL_APP_TEST(HelpWindowTest)
#include "help_window_test.moc"
