// The Qt platform: Windows-1252 at the interface boundary, the clipboard, shortcuts, help, and
// where the companion files are found and written.
#include <set>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "AppTest.h"
#include "MainWindowHarness.h"
#include "PictureLevels.h"
#include "app/CompanionFiles.h"
#include "app/Help.h"
#include "app/HelpWindow.h"
#include "app/QtPlatform.h"
#include "files/BestSolutions.h"
#include "files/Records.h"

using namespace vorpel;

namespace {

using Lines = std::vector<std::vector<std::string>>;

std::string EveryByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

std::string LevelText(const char* title) {
    return test::PictureLevelText(title, {"######", "#@::+#", "######"});
}

} // namespace

class PlatformTest : public QObject, test::MainWindowHarness {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        NewFolder();
        QVERIFY(QDir(folder_->path()).mkpath(QStringLiteral("program")));
        NewContext();
    }

    void cp1252MapsEveryByte_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("character");
        const std::pair<int, int> rows[] = {
            {0x00, 0x0000}, {0x41, 0x0041}, {0x7F, 0x007F}, {0x80, 0x20AC}, {0x81, 0x0081},
            {0x85, 0x2026}, {0x8A, 0x0160}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
            {0x93, 0x201C}, {0x99, 0x2122}, {0x9D, 0x009D}, {0x9F, 0x0178}, {0xA0, 0x00A0},
            {0xBF, 0x00BF}, {0xE9, 0x00E9}, {0xFF, 0x00FF}};
        for (const auto& [byte, character] : rows)
            QTest::addRow("0x%02X", byte) << byte << character;
    }
    void cp1252MapsEveryByte() {
        QFETCH(int, byte);
        QFETCH(int, character);
        const QString text = FromCp1252(std::string(1, static_cast<char>(byte)));
        QCOMPARE(text.size(), 1);
        QCOMPARE(int(text[0].unicode()), character);
        QCOMPARE(ToCp1252(text), std::string(1, static_cast<char>(byte)));
    }

    void cp1252RoundTripsEveryByte() {
        const std::string bytes = EveryByte();
        const QString text = FromCp1252(bytes);
        QCOMPARE(text.size(), 256);
        QCOMPARE(std::set<QChar>(text.begin(), text.end()).size(), std::size_t{256});
        QCOMPARE(ToCp1252(text), bytes);
        QCOMPARE(ToCp1252(QString::fromUtf8("\xE4\xB8\xAD x \xE2\x82\xAC")),
                 std::string("? x \x80"));
    }

    void displayTextTakesUtf8FileNames_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ascii") << QByteArray("File not found.")
                               << QStringLiteral("File not found.");
        QTest::newRow("cp1252") << QByteArray("Caf\xE9 \x80") << QString::fromUtf8("Café €");
        QTest::newRow("utf-8") << QByteArray("/home/n\xC3\xADveis/a.txt")
                               << QString::fromUtf8("/home/níveis/a.txt");
    }
    void displayTextTakesUtf8FileNames() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(DisplayText(bytes.toStdString()), shown);
    }

    void clipboardCarriesCp1252() {
        const std::string text = "\"T\x80tulo\"\r\n" + EveryByte().substr(1);
        QVERIFY(platform_->SetClipboardText(text));
        QCOMPARE(QGuiApplication::clipboard()->text(), FromCp1252(text));
        QCOMPARE(platform_->ClipboardText(), std::optional<std::string>(text));
        QGuiApplication::clipboard()->clear();
        QCOMPARE(platform_->ClipboardText(), std::nullopt);
    }

    void shortcutsAreSymbolicLinks() {
        const QString target = folder_->filePath(QStringLiteral("n\xC3\xADvel.txt"));
        Write(target, LevelText("Linked"));
        const QString link = folder_->filePath(QStringLiteral("link.txt"));
        QVERIFY(QFile::link(target, link));
        std::string name = ToFileName(link);
        QVERIFY(!platform_->ResolveShortcut(name));
        QCOMPARE(FromFileName(name), target);
        QVERIFY(!platform_->ResolveShortcut(name));
        QCOMPARE(FromFileName(name), target); // a plain file stays as it is
    }

    void helpOpensThePageAtItsTopic() {
        platform_->helpPage = folder_->filePath(QStringLiteral("program/Vorpel.htm"));
        ShowHelp(*platform_, "Options");
        const std::string page = ToFileName(platform_->helpPage);
        QCOMPARE(platform_->script->shown, (Lines{{page, "File not found."}}));
        QVERIFY(!platform_->helpWindow);

        // The program's own window shows the page; the desktop is asked only from its button.
        Write(platform_->helpPage, "<html><body><h2 id=\"FileRead\"><a name=\"FileRead\">"
                                   "</a>Reading</h2></body></html>");
        ShowHelp(*platform_, "FileRead");
        QVERIFY(platform_->helpWindow);
        QVERIFY(platform_->helpWindow->isVisible());
        const QUrl shown = platform_->helpWindow->browser->source();
        QCOMPARE(shown.toLocalFile(), platform_->helpPage);
        QCOMPARE(shown.fragment(), QStringLiteral("FileRead"));
        QVERIFY(platform_->script->opened.empty());
        platform_->helpWindow->openInBrowserButton->click();
        QCOMPARE(platform_->script->opened, (std::vector<QUrl>{shown}));
    }

    void companionFilesAreFoundBesideFirst_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("beside");
        QTest::addColumn<bool>("inData");
        QTest::addColumn<bool>("readBeside");
        QTest::addColumn<bool>("writeBeside");
        QTest::newRow("writable, in both") << true << true << true << true << true;
        QTest::newRow("writable, only in data") << true << false << true << false << true;
        QTest::newRow("read-only, only beside") << false << true << false << true << false;
        QTest::newRow("read-only, only in data") << false << false << true << false << false;
        QTest::newRow("read-only, nowhere") << false << false << false << true << false;
    }
    void companionFilesAreFoundBesideFirst() {
        QFETCH(bool, writable);
        QFETCH(bool, beside);
        QFETCH(bool, inData);
        QFETCH(bool, readBeside);
        QFETCH(bool, writeBeside);
        const CompanionFiles files = Files(writable);
        const QString suffix = QStringLiteral(".rec");
        QVERIFY(QDir().mkpath(files.DataFolder()));
        if (beside) Write(files.Beside(suffix), "1 2 Title\r\n");
        if (inData) Write(files.InDataFolder(suffix), "1 2 Title\r\n");
        QCOMPARE(files.ForReading(suffix),
                 readBeside ? files.Beside(suffix) : files.InDataFolder(suffix));
        QCOMPARE(files.ForWriting(suffix),
                 writeBeside ? files.Beside(suffix) : files.InDataFolder(suffix));
        QCOMPARE(files.Beside(suffix), folder_->filePath(QStringLiteral("program/Vorpel.rec")));
        QCOMPARE(files.InDataFolder(suffix), folder_->filePath(QStringLiteral("data/Vorpel.rec")));

        // No records file yet is no error: nobody has records before the first.
        QVERIFY(ReadRecords(*ctx_, files, true).Ok());
        QCOMPARE(ctx_->records.recordList.size(), std::size_t(beside || inData ? 1 : 0));
        QCOMPARE(ctx_->programPath, std::string());
    }

    void namesComeFromTheExecutable() {
        const CompanionFiles files(QStringLiteral("/opt/games/Vorpel.v2.exe"), QStringLiteral("/d"),
                                   true);
        QCOMPARE(files.SettingsName(), QStringLiteral("Vorpel"));
        QCOMPARE(files.CaptionName(), QStringLiteral("Vorpel.v2"));
        QCOMPARE(files.Beside(QStringLiteral(".sol")), QStringLiteral("/opt/games/Vorpel.v2.sol"));
    }

    void setUpKeepsBestSolutionsInSight_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable") << true;
        QTest::newRow("read-only") << false;
    }
    void setUpKeepsBestSolutionsInSight() {
        QFETCH(bool, writable);
        const CompanionFiles files = Files(writable);
        const QString suffix = QStringLiteral(".sol");
        // The solutions lie where the program cannot keep them now.
        const QString old = writable ? files.InDataFolder(suffix) : files.Beside(suffix);
        QVERIFY(QDir().mkpath(files.DataFolder()));
        Write(old, "solutions");
        Write(files.Beside(QStringLiteral(".htm")), "<html></html>");

        SetUpCompanionFiles(*ctx_, *platform_, files);
        const QString kept = files.ForWriting(suffix);
        QCOMPARE(FromFileName(BestSolutionsPath(*ctx_)), kept);
        QFile copy(kept);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("solutions"));
        QCOMPARE(platform_->helpPage, files.Beside(QStringLiteral(".htm")));
        QCOMPARE(platform_->boxCaption, QStringLiteral(" Vorpel"));
        QVERIFY(platform_->script->shown.empty());
    }

    void startupLevelsComeFromBothFolders_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("messages");
        QTest::newRow("default") << QString() << QStringList{QStringLiteral("Zero")} << 0;
        QTest::newRow("beside then data")
            << QStringLiteral("0, 1") << QStringList{QStringLiteral("Zero"), QStringLiteral("One")}
            << 0;
        QTest::newRow("data then beside")
            << QStringLiteral("1,0") << QStringList{QStringLiteral("One"), QStringLiteral("Zero")}
            << 0;
        QTest::newRow("a missing file")
            << QStringLiteral("2,1") << QStringList{QStringLiteral("One")} << 1;
        QTest::newRow("nothing") << QStringLiteral("2") << QStringList{QStringLiteral("Void level")}
                                 << 1;
    }
    void startupLevelsComeFromBothFolders() {
        QFETCH(QString, list);
        QFETCH(QStringList, titles);
        QFETCH(int, messages);
        const CompanionFiles files = Files(false);
        QVERIFY(QDir().mkpath(files.DataFolder()));
        Write(files.Beside(QStringLiteral(" 0.txt")), LevelText("Zero"));
        Write(files.InDataFolder(QStringLiteral(" 1.txt")), LevelText("One"));
        ctx_->options.startupList = list.toStdString();
        ctx_->programPath = "unchanged";

        ReadStartupLevels(*ctx_, files);
        QStringList read;
        for (const vorpel::Level& level : ctx_->collection.levels)
            read << QString::fromStdString(level.title);
        QCOMPARE(read, titles);
        QCOMPARE(ctx_->collection.currentLevel, 0);
        QCOMPARE(int(platform_->script->shown.size()), messages);
        QCOMPARE(ctx_->options.startupList, list.toStdString());
        QCOMPARE(ctx_->programPath, std::string("unchanged"));
    }

private:
    CompanionFiles Files(bool writable) const {
        return CompanionFiles(folder_->filePath(QStringLiteral("program/Vorpel")),
                              folder_->filePath(QStringLiteral("data")), writable);
    }
};

VORPEL_APP_TEST(PlatformTest)

#include "platform_test.moc"
