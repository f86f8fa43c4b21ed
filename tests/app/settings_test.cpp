// The settings store and the options window: option and history round trips on a temporary
// store, the startup-list checks, the seed, the grid's Cancel and the reading buttons.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "app/OptionsWindow.h"
#include "app/QtPlatform.h"
#include "app/SettingsStore.h"
#include "app/SliderField.h"

using namespace vorpel;

namespace {

using Lines = std::vector<std::vector<std::string>>;

const QString kProgram = QStringLiteral("VorpelTest");

// The store as the program leaves it, read behind its back.
QSettings RawStore(const QString& program = kProgram) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Ostavin"),
                     program);
}

} // namespace

class SettingsTest : public QObject, test::MainWindowHarness {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        NewFolder();
        NewContext();
        settingsStore_.emplace(ctx_->options, *platform_);
        settingsStore_->SetSettingsKey(kProgram, QSettings::IniFormat);
        platform_->settings = &*settingsStore_;
    }

    void firstStartCreatesEveryValue() {
        settingsStore_->SetOptionNames();
        QVERIFY(platform_->script->shown.empty());
        QSettings store = RawStore();
        store.beginGroup(QStringLiteral("Options"));
        // The options, the startup list, resuming, which starts on, fewest pushes first and the
        // replay speed, four steps a second as the timer always gave.
        QCOMPARE(store.childKeys().size(), kOptionCount + 4);
        for (const char* name : kOptionNames)
            QCOMPARE(store.value(QLatin1String(name)).toBool(), false);
        QCOMPARE(store.value(QStringLiteral("Startup load")), QVariant(QString()));
        QCOMPARE(store.value(QStringLiteral("Resume where you left off")).toBool(), true);
        QCOMPARE(store.value(QStringLiteral("Sokoban solutions with fewest pushes")).toBool(),
                 false);
        QCOMPARE(store.value(QStringLiteral("Replay speed")).toInt(), 4);
    }

    void optionsRoundTrip() {
        for (int i = 0; i < kOptionCount; ++i) ctx_->options.value[std::size_t(i)] = i % 3 == 0;
        ctx_->options.startupList = " 1 , 2,3";
        ctx_->options.fewestPushes = true;
        ctx_->options.replaySpeed = 0;
        settingsStore_->WriteOptions(true, 0, kOptionCount - 1);

        Options read;
        SettingsStore again(read, *platform_);
        again.SetSettingsKey(kProgram, QSettings::IniFormat);
        again.ReadOptions(true, 0, kOptionCount - 1);
        QCOMPARE(read.value, ctx_->options.value);
        QCOMPARE(read.startupList, std::string(" 1 , 2,3"));
        QVERIFY(read.fewestPushes);
        QCOMPARE(read.replaySpeed, 0);
        QVERIFY(platform_->script->shown.empty());
    }

    // A replay speed the store holds is taken when it is one the slider offers; anything else
    // leaves the speed in memory.
    void replaySpeedIsReadWhenValid() {
        const struct {
            QVariant stored;
            int read;
        } cases[] = {
            {QVariant(1), 1},  {QVariant(60), 60}, {QVariant(0), 0},
            {QVariant(61), 7}, {QVariant(-1), 7},  {QVariant(QStringLiteral("fast")), 7},
            {QVariant(), 7},
        };
        for (const auto& c : cases) {
            settingsStore_->WriteOptions(false, 0, kOptionCount - 1);
            {
                QSettings store = RawStore();
                if (c.stored.isValid())
                    store.setValue(QStringLiteral("Options/Replay speed"), c.stored);
                else
                    store.remove(QStringLiteral("Options/Replay speed"));
            }
            ctx_->options.replaySpeed = 7;
            settingsStore_->ReadOptions(false, 0, kOptionCount - 1);
            QCOMPARE(ctx_->options.replaySpeed, c.read);
        }
    }

    void partialRangesLeaveTheStartupListAlone() {
        const std::string list = "4, 5";
        ctx_->options.startupList = list;
        settingsStore_->WriteOptions(false, 7, 12);
        QVERIFY(!RawStore().contains(QStringLiteral("Options/Startup load")));
        QVERIFY(RawStore().contains(QStringLiteral("Options/Show hidden files")));
        QVERIFY(!RawStore().contains(QStringLiteral("Options/Draw marks over blocks")));
        settingsStore_->ReadOptions(false, 7, 12);
        QCOMPARE(ctx_->options.startupList, list);
    }

    void badValuesAreReportedAndRewritten_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("missing") << QVariant();
        QTest::newRow("unreadable") << QVariant(QStringLiteral("maybe"));
    }
    void badValuesAreReportedAndRewritten() {
        QFETCH(QVariant, stored);
        ctx_->options.value.fill(true);
        settingsStore_->WriteOptions(false, 0, kOptionCount - 1);
        const QString key = QStringLiteral("Options/Show system files");
        {
            QSettings store = RawStore();
            if (stored.isValid())
                store.setValue(key, stored);
            else
                store.remove(key);
        }
        ctx_->options.value.fill(false);
        settingsStore_->ReadOptions(true, 0, kOptionCount - 1);
        QCOMPARE(platform_->script->shown, (Lines{{"Error reading data from the Registry."}}));
        QVERIFY(!ctx_->options[kShowSystemFiles]); // left as it was in memory
        QVERIFY(ctx_->options[kShowHiddenFiles]);
        QCOMPARE(RawStore().value(key).toString(), QStringLiteral("false"));
    }

    void historyKeepsTheLatestFirstOnce() {
        for (const char* name : {"/levels/a.txt", "/levels/b.sok", "/levels/c.txt"})
            platform_->AddToHistory(name);
        std::vector<std::string> history;
        settingsStore_->ReadHistory(history);
        QCOMPARE(history,
                 (std::vector<std::string>{"/levels/c.txt", "/levels/b.sok", "/levels/a.txt", ""}));

        settingsStore_->AddToHistory("/Levels/A.TXT"); // third, in another letter case
        history.clear();
        settingsStore_->ReadHistory(history);
        QCOMPARE(history,
                 (std::vector<std::string>{"/Levels/A.TXT", "/levels/c.txt", "/levels/b.sok", ""}));

        settingsStore_->ClearHistory();
        history.clear();
        settingsStore_->ReadHistory(history);
        QCOMPARE(history, std::vector<std::string>{""});
    }

    void programsOfOtherNamesKeepSeparateSettings() {
        QCOMPARE(SettingsBaseName(QStringLiteral("/opt/games/Vorpel.exe")),
                 QStringLiteral("Vorpel"));
        QCOMPARE(SettingsBaseName(QStringLiteral("/opt/games/Vorpel.2.exe")),
                 QStringLiteral("Vorpel"));
        QCOMPARE(SettingsBaseName(QStringLiteral("/opt/games/Vorpel2")), QStringLiteral("Vorpel2"));
        ctx_->options.value.fill(true);
        settingsStore_->WriteOptions(false, 0, kOptionCount - 1);

        Options other;
        SettingsStore otherStore(other, *platform_);
        otherStore.SetSettingsKey(QStringLiteral("VorpelOther"), QSettings::IniFormat);
        otherStore.SetOptionNames();
        QCOMPARE(other.value, Options{}.value);
        QVERIFY(RawStore(QStringLiteral("VorpelOther"))
                    .contains(QStringLiteral("Options/Bricks compatibility")));
    }

    void startupListChecks_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* list, const char* message) {
            QTest::newRow(list) << QString::fromLatin1(list) << QString::fromLatin1(message);
        };
        row("", "");
        row("   ", "");
        row("0", "");
        row(" 1 , 2 ,30 ", "");
        row("1,x", "Invalid character in the number list in the game options.");
        row("a,,", "Invalid character in the number list in the game options.");
        row(",1", "The number list in the game options does not start with a number.");
        row(" , ", "The number list in the game options does not start with a number.");
        row("1,2,", "The number list in the game options does not end with a number.");
        row("1,,2", "Two successive commas in the number list in the game options.");
        row("1, ,2", "Two successive commas in the number list in the game options.");
    }
    void startupListChecks() {
        QFETCH(QString, list);
        QFETCH(QString, message);
        QCOMPARE(QString::fromStdString(ValidateStartupList(list.toStdString())), message);
    }

    void windowShowsEveryControl() {
        OptionsWindow form(*ctx_, *settingsStore_, *platform_, {});
        QCOMPARE(form.windowTitle(), QStringLiteral(" Options"));
        QCOMPARE(form.pos(), QPoint(100, 200));
        const QStringList pages{QStringLiteral("Game"), QStringLiteral("File"),
                                QStringLiteral("Edit 1"), QStringLiteral("Edit 2")};
        for (int i = 0; i < pages.size(); ++i) QCOMPARE(form.pageTabs->tabText(i), pages[i]);
        for (int i = 0; i < kOptionCount; ++i) {
            const QString name = QStringLiteral("optionCheckBox%1").arg(i);
            auto* box = form.findChild<QCheckBox*>(name);
            QVERIFY2(box != nullptr, qPrintable(name));
            QCOMPARE(box->text(), QLatin1String(kOptionNames[std::size_t(i)]));
            QCOMPARE(box->property("option").toInt(), i);
            const int page = i <= 6 ? kPageGame : i <= 12 ? kPageFile : kPageEdit2;
            QVERIFY(form.pageTabs->widget(page)->isAncestorOf(box));
        }
        QCOMPARE(form.startupListLabel->text(),
                 QStringLiteral("Initial files (for each number \"n\" in the list below, the file "
                                "\"Vorpel n.txt\" will be read at program startup):"));
        QCOMPARE(form.seedEdit->text(), QStringLiteral("3141592653"));
        const std::pair<QPushButton*, const char*> buttons[] = {
            {form.okButton, "OK"},
            {form.cancelButton, "Cancel"},
            {form.helpButton, "Help"},
            {form.defaultsButton, "Default"},
            {form.randomSeedButton, "Random"},
            {form.readGameOptionsButton, "Read game options from the Registry"},
            {form.readFileOptionsButton, "Read file options from the Registry"}};
        for (const auto& [button, caption] : buttons)
            QCOMPARE(button->text(), QLatin1String(caption));
        QVERIFY(form.okButton->isDefault());
        const std::pair<SliderField*, const char*> bars[] = {
            {form.firstRowSlider, "Starting row"},
            {form.firstColumnSlider, "Starting column"},
            {form.verticalSpacingSlider, "Vertical spacing"},
            {form.horizontalSpacingSlider, "Horizontal spacing"}};
        for (const auto& [bar, caption] : bars) {
            QCOMPARE(bar->label->text(), QLatin1String(caption));
            QCOMPARE(bar->slider->minimum(), 0);
            QCOMPARE(bar->slider->maximum(), 64);
        }

        platform_->helpPage = folder_->filePath(QStringLiteral("VorpelTest.htm"));
        form.helpButton->click();
        QCOMPARE(platform_->script->shown,
                 (Lines{{platform_->helpPage.toStdString(), "File not found."}}));
    }

    // The slider runs from one step a second to a step a frame; the words follow it, OK keeps
    // the speed and stores it, Cancel leaves it.
    void replaySpeedSliderNamesAndKeepsTheSpeed() {
        {
            OptionsWindow form(*ctx_, *settingsStore_, *platform_, {});
            QCOMPARE(form.replaySpeedSlider->value(), 4);
            QCOMPARE(form.replaySpeedLabel->text(), QStringLiteral("4 steps a second"));
            const struct {
                int position;
                const char* words;
            } cases[] = {{1, "1 step a second"},
                         {60, "60 steps a second"},
                         {61, "as fast as the screen paints"}};
            for (const auto& c : cases) {
                form.replaySpeedSlider->setValue(c.position);
                QCOMPARE(form.replaySpeedLabel->text(), QLatin1String(c.words));
            }
            form.cancelButton->click();
            QCOMPARE(ctx_->options.replaySpeed, 4);
        }
        OptionsWindow form(*ctx_, *settingsStore_, *platform_, {});
        form.replaySpeedSlider->setValue(form.replaySpeedSlider->maximum());
        form.okButton->click();
        QCOMPARE(ctx_->options.replaySpeed, 0);
        QCOMPARE(RawStore().value(QStringLiteral("Options/Replay speed")).toInt(), 0);
        OptionsWindow again(*ctx_, *settingsStore_, *platform_, {});
        QCOMPARE(again.replaySpeedSlider->value(), 61);
    }

    void okChecksTheListThenStoresEverything() {
        int applied = 0;
        OptionsWindow form(*ctx_, *settingsStore_, *platform_, {{}, [&applied] { ++applied; }});
        form.show();
        form.pageTabs->setCurrentIndex(kPageEdit2);
        form.optionBoxes[kShowMouseCoordinates]->setChecked(true);
        form.optionBoxes[kAlphanumericAutoincrement]->setChecked(true);
        QCOMPARE(form.fewestPushesBox->text(),
                 QStringLiteral("Sokoban solutions with fewest pushes"));
        form.fewestPushesBox->setChecked(true);
        form.startupListEdit->setText(QStringLiteral("1,,2"));
        form.okButton->click();
        QVERIFY(form.isVisible());
        QCOMPARE(form.pageTabs->currentIndex(), int(kPageGame));
        QCOMPARE(platform_->script->shown,
                 (Lines{{"Two successive commas in the number list in the game options."}}));
        QVERIFY(!ctx_->options[kShowMouseCoordinates]);
        QVERIFY(!ctx_->options.fewestPushes);

        form.startupListEdit->setText(QStringLiteral(" 1 , 2 "));
        form.randomSeedButton->click();
        QCOMPARE(form.seedEdit->text(), QStringLiteral("3110876034"));
        form.okButton->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(applied, 1);
        QCOMPARE(ctx_->options.seed, 3110876034u);
        QCOMPARE(ctx_->options.startupList, std::string(" 1 , 2 "));
        QVERIFY(ctx_->options[kShowMouseCoordinates]);
        QVERIFY(ctx_->options[kAlphanumericAutoincrement]);
        QCOMPARE(RawStore().value(QStringLiteral("Options/Startup load")).toString(),
                 QStringLiteral(" 1 , 2 "));
        QCOMPARE(RawStore().value(QStringLiteral("Options/Show mouse coordinates")).toBool(), true);
        QVERIFY(ctx_->options.fewestPushes);
        QCOMPARE(RawStore()
                     .value(QStringLiteral("Options/Sokoban solutions with fewest pushes"))
                     .toBool(),
                 true);
    }

    void seedChecks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<uint>("seed");
        QTest::newRow("empty") << QString() << false << 0u;
        QTest::newRow("zero") << QStringLiteral("0") << false << 0u;
        QTest::newRow("zeros") << QStringLiteral("0000000000") << false << 0u;
        QTest::newRow("one") << QStringLiteral("1") << true << 1u;
        QTest::newRow("leading zero") << QStringLiteral("07") << true << 7u;
        QTest::newRow("largest") << QStringLiteral("4294967295") << true << 4294967295u;
        QTest::newRow("past 32 bits") << QStringLiteral("4294967296") << false << 0u;
        QTest::newRow("eleven digits") << QStringLiteral("00000000001") << false << 0u;
        QTest::newRow("sign") << QStringLiteral("-1") << false << 0u;
        QTest::newRow("blank") << QStringLiteral(" 5") << false << 0u;
    }
    void seedChecks() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(uint, seed);
        std::uint32_t parsed = 0;
        QCOMPARE(ParseSeed(text.toStdString(), parsed), accepted);
        QCOMPARE(parsed, seed);
    }

    void okRefusesAnEmptyOrZeroSeed() {
        int applied = 0;
        OptionsWindow form(*ctx_, *settingsStore_, *platform_, {{}, [&applied] { ++applied; }});
        form.show();
        form.optionBoxes[kShowMouseCoordinates]->setChecked(true);
        for (const QString& text : {QString(), QStringLiteral("0")}) {
            platform_->script->shown.clear();
            form.pageTabs->setCurrentIndex(kPageGame);
            form.seedEdit->setText(text);
            form.okButton->click();
            QVERIFY(form.isVisible());
            QCOMPARE(form.pageTabs->currentIndex(), int(kPageEdit2));
            QCOMPARE(platform_->script->shown, (Lines{{kSeedRefused}}));
        }
        QCOMPARE(applied, 0);
        QCOMPARE(ctx_->options.seed, 3141592653u);
        QVERIFY(!ctx_->options[kShowMouseCoordinates]);
        form.seedEdit->setText(QStringLiteral("5"));
        form.okButton->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(ctx_->options.seed, 5u);
    }

    void randomFollowsTheShuffleGenerator() {
        QCOMPARE(NextSeed(3141592653u), 3110876034u);
        QCOMPARE(NextSeed(0u), 1u);
        QCOMPARE(NextSeed(0xFFFFFFFFu),
                 static_cast<std::uint32_t>(0xFFFFFFFFull * 134775813ull + 1));
    }

    void cancelRestoresGridAndJoins() {
        int repaints = 0;
        ctx_->editing = true;
        ctx_->options.grid = {2, 3, 4, 5, false};
        OptionsWindow form(*ctx_, *settingsStore_, *platform_, {[&repaints] { ++repaints; }, {}});
        form.show();
        form.optionBoxes[kBricksCompatibility]->setChecked(true);
        form.firstRowSlider->SetValue(7);
        QCOMPARE(ctx_->options.grid.startRow, 7); // acts at once ...
        QCOMPARE(repaints, 0);                    // ... but shows only with the grid on
        form.showGridCheckBox->setChecked(true);
        QCOMPARE(repaints, 1);
        form.horizontalSpacingSlider->spinBox->setValue(9);
        QCOMPARE(ctx_->options.grid.columnSpacing, 9);
        QCOMPARE(repaints, 2);
        form.defaultsButton->click();
        QCOMPARE(ctx_->options.grid.startRow, 0);
        QCOMPARE(ctx_->options.grid.startColumn, 0);
        QCOMPARE(ctx_->options.grid.rowSpacing, 1);
        QCOMPARE(ctx_->options.grid.columnSpacing, 1);
        QCOMPARE(form.verticalSpacingSlider->Value(), 1);
        form.joinBarriersCheckBox->setChecked(false);
        form.joinMagnetsCheckBox->setChecked(false);
        QVERIFY(!ctx_->options.joinBarriers && !ctx_->options.joinMagnets);
        const int before = repaints;
        form.move(250, 260);
        form.cancelButton->click();
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(repaints, before + 1);
        QCOMPARE(ctx_->options.grid.startRow, 2);
        QCOMPARE(ctx_->options.grid.columnSpacing, 5);
        QVERIFY(!ctx_->options.grid.show);
        QVERIFY(ctx_->options.joinBarriers && ctx_->options.joinMagnets);
        QVERIFY(!ctx_->options[kBricksCompatibility]);
        QCOMPARE(platform_->memory.optionsPosition, QPoint(250, 260));
    }

    void readButtonsTakeTheirOptionsFromTheStore() {
        ctx_->options.value.fill(true);
        settingsStore_->WriteOptions(false, 0, kOptionCount - 1);
        ctx_->options.value.fill(false);
        OptionsWindow form(*ctx_, *settingsStore_, *platform_, {});
        form.readGameOptionsButton->click();
        for (int i = 0; i <= 6; ++i) {
            QCOMPARE(ctx_->options.value[std::size_t(i)], i <= 3);
            QCOMPARE(form.optionBoxes[std::size_t(i)]->isChecked(), i <= 3);
        }
        QVERIFY(!form.optionBoxes[kPromptOnFileRewrite]->isChecked());
        form.readFileOptionsButton->click();
        for (int i = 7; i <= 12; ++i) QVERIFY(form.optionBoxes[std::size_t(i)]->isChecked());
        QVERIFY(!ctx_->options[kAlphanumericAutoincrement]);
        form.cancelButton->click();
        QVERIFY(ctx_->options[kDrawMarksOverBlocks]); // read values stay after Cancel
        QVERIFY(platform_->script->shown.empty());
    }

private:
    std::optional<SettingsStore> settingsStore_;
};

VORPEL_APP_TEST(SettingsTest)

#include "settings_test.moc"
