// The message box: answers picked by letters, Enter and Esc, the repeat box, the link, the
// remembered position, and the real modal loop driven by typed keys.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "AppTest.h"
#include "app/MessageBox.h"
#include "app/QtPlatform.h"

using namespace vorpel;

Q_DECLARE_METATYPE(vorpel::Choice)

namespace {

enum class Mode { YesNo, ChoiceOfThree, ChoiceOfTwo };

// The box of an entry operation, answered by one scripted key.
Choice Answer(QtPlatform& platform, Mode mode, char key, bool* repeat = nullptr) {
    platform.script->answers.push_back({key, true});
    bool repeated = false;
    Choice choice = kChoiceCancel;
    switch (mode) {
    case Mode::YesNo:
        choice = AskYesNo(platform, {"Stop?"}) ? kChoiceFirst : kChoiceCancel;
        break;
    case Mode::ChoiceOfThree:
        choice = AskChoice(platform, {"Replace?"}, "Replace", "Add", "Keep", true, repeated);
        break;
    case Mode::ChoiceOfTwo:
        choice = AskChoice(platform, {"Replace?"}, "Replace", "Add", "", false, repeated);
        break;
    }
    if (repeat != nullptr) *repeat = repeated;
    return choice;
}

// Runs `check` on the modal box once its loop is running.
void WhenBoxOpens(std::function<void(MessageBox&)> check) {
    QTimer::singleShot(0, [check = std::move(check)] {
        auto* box = qobject_cast<MessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        check(*box);
    });
}

} // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        platform_.emplace();
        platform_->script.emplace();
    }

    void keysPickButtons_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<char>("key");
        QTest::addColumn<Choice>("expected");
        const auto row = [](const char* name, Mode mode, char key, Choice expected) {
            QTest::newRow(name) << int(mode) << key << expected;
        };
        row("yes by y", Mode::YesNo, 'y', kChoiceFirst);
        row("yes by Y", Mode::YesNo, 'Y', kChoiceFirst);
        row("yes by Enter", Mode::YesNo, '\r', kChoiceFirst);
        row("no by n", Mode::YesNo, 'n', kChoiceCancel);
        row("no by Esc", Mode::YesNo, '\x1b', kChoiceCancel);
        row("yes/no ignores other letters", Mode::YesNo, 'q', kChoiceCancel);
        row("first by r", Mode::ChoiceOfThree, 'r', kChoiceFirst);
        row("first by Enter", Mode::ChoiceOfThree, '\r', kChoiceFirst);
        row("second by a", Mode::ChoiceOfThree, 'a', kChoiceSecond);
        row("second by A", Mode::ChoiceOfThree, 'A', kChoiceSecond);
        row("third by k", Mode::ChoiceOfThree, 'k', kChoiceThird);
        row("cancel by Esc", Mode::ChoiceOfThree, '\x1b', kChoiceCancel);
        row("Cancel has no letter", Mode::ChoiceOfThree, 'c', kChoiceCancel);
        row("hidden third has no letter", Mode::ChoiceOfTwo, 'k', kChoiceCancel);
        row("second of two by a", Mode::ChoiceOfTwo, 'a', kChoiceSecond);
    }
    void keysPickButtons() {
        QFETCH(int, mode);
        QFETCH(char, key);
        QFETCH(Choice, expected);
        QCOMPARE(Answer(*platform_, Mode(mode), key), expected);
        QCOMPARE(platform_->script->shown.size(), std::size_t{1});
        QVERIFY(platform_->script->answers.empty());
    }

    void infoShowsOnlyWhenEveryLineHasText() {
        platform_->ShowInfo({"File /tmp/a.txt.", ""});
        QVERIFY(platform_->script->shown.empty());
        platform_->ShowInfo({"File /tmp/a.txt.", "File not found."});
        QCOMPARE(platform_->script->shown,
                 (std::vector<std::vector<std::string>>{{"File /tmp/a.txt.", "File not found."}}));
    }

    void repeatBoxGivesItsState() {
        bool repeat = false;
        QCOMPARE(Answer(*platform_, Mode::ChoiceOfThree, 'a', &repeat), kChoiceSecond);
        QVERIFY(repeat);
        QCOMPARE(Answer(*platform_, Mode::ChoiceOfTwo, 'a', &repeat), kChoiceSecond);
        QVERIFY(!repeat); // no box to tick without the repeat option
    }

    void layoutFollowsTheMode() {
        MessageBox box(*platform_, nullptr);
        box.BoxThreeButtons = true;
        box.BoxWithRepeat = true;
        platform_->script->answers.push_back({'\x1b', false});
        box.Execute({"First line", "Second line"}, "Replace", "Add", "");
        QCOMPARE(box.windowTitle(), platform_->boxCaption);
        QCOMPARE(box.size(), QSize(465, 200));
        QCOMPARE(box.yesButton->text(), QStringLiteral("&Replace"));
        QCOMPARE(box.noButton->text(), QStringLiteral("&Add"));
        QCOMPARE(box.cancelButton->text(), QStringLiteral("Cancel"));
        QVERIFY(!box.noButton->isHidden());
        QVERIFY(!box.cancelButton->isHidden());
        QVERIFY(box.thirdButton->isHidden());
        QVERIFY(!box.repeatCheckBox->isHidden());
        QCOMPARE(box.repeatCheckBox->text(), QStringLiteral("Repeat the answer next time"));
        QCOMPARE(box.textEdit->geometry(), QRect(8, 10, 349, 124));
        QCOMPARE(box.textEdit->toPlainText(), QStringLiteral("First line\nSecond line"));
        QCOMPARE(box.textEdit->document()->blockCount(), 2);
        QCOMPARE(box.yesButton->geometry(), QRect(368, 124, 77, 33));
        QCOMPARE(box.thirdButton->geometry(), QRect(368, 10, 77, 33));
    }

    void aboutBoxShowsItsLink() {
        MessageBox box(*platform_, nullptr);
        box.BoxWithLink = true;
        box.Execute({"About"}, "Seen");
        QCOMPARE(box.yesButton->text(), QStringLiteral("&Seen"));
        QVERIFY(!box.linkLabel->isHidden());
        QVERIFY(box.linkLabel->text().contains(QLatin1String(kAboutLink)));
        QCOMPARE(box.textEdit->geometry().bottom() + 1, box.linkLabel->y());
        QVERIFY(box.noButton->isHidden());
        Q_EMIT box.linkLabel->linkActivated(QLatin1String(kAboutLink));
        QCOMPARE(platform_->script->opened, (std::vector<QUrl>{QUrl(QLatin1String(kAboutLink))}));
    }

    void captionsKeepTheirAmpersands() {
        MessageBox box(*platform_, nullptr);
        box.BoxTwoButtons = true;
        box.Execute({"Question"}, "Save & quit", "No");
        QCOMPARE(box.yesButton->text(), QStringLiteral("&Save && quit"));
    }

    // The real modal loop: keys typed where the focus is, Enter on another button, and the
    // place where the user left the box.
    void modalBoxAnswersTypedKeysAndRemembersItsPlace() {
        platform_->script.reset();
        QCOMPARE(platform_->memory.messageBoxPosition, QPoint(30, 120));
        WhenBoxOpens([](MessageBox& box) {
            QCOMPARE(box.pos(), QPoint(30, 120));
            box.noButton->setFocus();
            box.move(200, 150);
            QTest::keyClick(box.noButton, Qt::Key_Return); // Enter means the primary button
        });
        QVERIFY(platform_->AskYesNo({"Stop level entry processing?"}));
        QCOMPARE(platform_->memory.messageBoxPosition, QPoint(200, 150));

        WhenBoxOpens([](MessageBox& box) {
            QCOMPARE(box.pos(), QPoint(200, 150));
            QTest::keyClick(box.yesButton, Qt::Key_N);
        });
        QVERIFY(!platform_->AskYesNo({"Stop level entry processing?"}));

        WhenBoxOpens([](MessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
        bool repeat = true;
        QCOMPARE(platform_->AskChoice({"Title taken."}, "Replace", "Add", "", true, repeat),
                 kChoiceCancel);
        QVERIFY(!repeat);

        WhenBoxOpens([](MessageBox& box) { box.close(); });
        QVERIFY(!platform_->AskYesNo({"Close?"}));
    }

    void boxOutsideTheScreenIsBroughtOntoIt() {
        platform_->memory.messageBoxPosition = QPoint(100000, -500);
        platform_->script->answers.push_back({'s', false});
        platform_->ShowInfo({"Far away"});
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(QRect(platform_->memory.messageBoxPosition, QSize(465, 200))));
    }

private:
    std::optional<QtPlatform> platform_;
};

VORPEL_APP_TEST(MessageBoxTest)

#include "message_box_test.moc"
