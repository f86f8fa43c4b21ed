// The file chooser driven as a user would: listings, filters, sorting, the letter jump, the
// overwrite question answered by a scripted platform, history and remembered state.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QWheelEvent>
#include <deque>
#include <memory>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

#include "AppTest.h"
#include "app/FileChooser.h"
#include "app/QtPlatform.h"
#include "model/Context.h"

using namespace vorpel;
using namespace Qt::StringLiterals;

namespace {

// Answers the yes/no questions from a script and keeps what it was asked.
class ScriptedPlatform : public SilentPlatform {
public:
    std::deque<bool> answers;
    bool AskYesNo(const std::vector<std::string>& lines) override {
        shown.push_back(lines);
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
};

class MemoryHistory : public FileHistory {
public:
    std::vector<std::string> names;
    std::vector<std::string> Read() override { return names; }
    void Add(const std::string& name) override {
        std::erase(names, name);
        names.insert(names.begin(), name);
    }
    void Clear() override { names.clear(); }
};

QDateTime Day(int year, int month, int day) {
    return QDateTime(QDate(year, month, day), QTime(12, 0));
}

bool MakeFile(const QString& path, qint64 size, const QDateTime& modified) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(QByteArray(size, 'x'));
    file.flush();
    return file.setFileTime(modified, QFileDevice::FileModificationTime);
}

QSet<QString> NameSet(const std::vector<ChooserEntry>& entries) {
    QSet<QString> names;
    for (const ChooserEntry& entry : entries) names.insert(entry.name);
    return names;
}

QStringList Lines(const std::vector<std::string>& lines) {
    QStringList result;
    for (const std::string& line : lines) result << FromFileName(line);
    return result;
}

// The test's own reading of a column's order: the sign of a against b.
int Sign(const ChooserEntry& a, const ChooserEntry& b, int column) {
    const auto three = [](const auto& x, const auto& y) { return x < y ? -1 : y < x ? 1 : 0; };
    const auto setFirst = [&](bool x, bool y) { return three(!x, !y); };
    switch (column) {
    case kColumnName:
        return three(a.name.toCaseFolded(), b.name.toCaseFolded());
    case kColumnType:
        return three(a.type.toCaseFolded(), b.type.toCaseFolded());
    case kColumnSize:
        return three(a.size, b.size);
    case kColumnDate:
        return a.drive ? three(a.freeSpace, b.freeSpace) : three(a.modified, b.modified);
    case kColumnReadOnly:
        return setFirst(a.attributes.readOnly, b.attributes.readOnly);
    case kColumnHidden:
        return setFirst(a.attributes.hidden, b.attributes.hidden);
    case kColumnSystem:
        return setFirst(a.attributes.system, b.attributes.system);
    default:
        return setFirst(a.attributes.archive, b.attributes.archive);
    }
}

// Empty when `entries` follow `order`: folders first, then the column, ties by name.
QString SortError(const std::vector<ChooserEntry>& entries, int order) {
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const ChooserEntry& a = entries[i - 1];
        const ChooserEntry& b = entries[i];
        if (a.folder != b.folder) {
            if (!a.folder) return u"file %1 before folder %2"_s.arg(a.name, b.name);
            continue;
        }
        int sign = Sign(a, b, SortColumn(order));
        if (SortDescending(order)) sign = -sign;
        if (sign > 0 || (sign == 0 && Sign(a, b, kColumnName) > 0))
            return u"order %1 puts %2 before %3"_s.arg(order).arg(a.name, b.name);
    }
    return {};
}

template <typename T> T* Control(QWidget& form, const QString& name) {
    T* control = form.findChild<T*>(name);
    if (control == nullptr) qFatal("no control %s", qPrintable(name));
    return control;
}

// A folder of files with distinct sizes, dates and attributes, and a fresh program state.
struct Fixture {
    QTemporaryDir dir;
    Context ctx;
    ScriptedPlatform platform;
    MemoryHistory history;
    FileChooserState state;
    QMargins frameMargins;
    std::vector<std::string> helpTopics;
    FileChooserSetup setup{ctx, state, history, frameMargins,
                           [this](const std::string& topic) { helpTopics.push_back(topic); }};
    bool made = true;

    Fixture() {
        ctx.platform = &platform;
        state.startFolder = dir.path();
        const struct {
            const char16_t* name;
            qint64 size;
            QDateTime modified;
        } files[] = {
            {u"alpha.txt", 300, Day(2020, 1, 3)}, {u"Avocado.sok", 70, Day(2020, 1, 7)},
            {u"Beta.TXT", 100, Day(2020, 1, 1)},  {u"gamma.nbl", 500, Day(2020, 1, 5)},
            {u"delta.gif", 200, Day(2020, 1, 2)}, {u"epsilon.dll", 600, Day(2020, 1, 6)},
            {u"zeta.sok", 400, Day(2020, 1, 4)},  {u"eta.xsb", 50, Day(2019, 12, 31)},
            {u"readme", 10, Day(2019, 12, 30)},   {u".hidden.txt", 20, Day(2019, 12, 29)},
        };
        for (const auto& file : files)
            made = MakeFile(Path(QString::fromUtf16(file.name)), file.size, file.modified) && made;
        made = QFile::setPermissions(Path(u"gamma.nbl"_s), QFile::ReadOwner | QFile::ReadGroup) &&
               made;
        made = QDir(dir.path()).mkdir(u"sub"_s) && QDir(dir.path()).mkdir(u".secret"_s) && made;
#ifndef Q_OS_WIN
        made = ::mkfifo(QFile::encodeName(Path(u"pipe.txt"_s)).constData(), 0600) == 0 && made;
#endif
    }

    QString Folder() const {
        return QDir(dir.path()).absolutePath();
    }
    QString Path(const QString& name) const {
        return QDir(dir.path()).filePath(name);
    }

    std::unique_ptr<FileChooser> Open(ChooserMode mode = kChooseReading,
                                      const QString& fileName = QString()) {
        auto form = std::make_unique<FileChooser>(setup, mode, u"Choose"_s, fileName);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) qWarning("the chooser was not exposed");
        return form;
    }
};

const QSet<QString> kPlainListing = {
    u"sub"_s,       u"alpha.txt"_s,   u"Avocado.sok"_s, u"Beta.TXT"_s, u"gamma.nbl"_s,
    u"delta.gif"_s, u"epsilon.dll"_s, u"zeta.sok"_s,    u"eta.xsb"_s,  u"readme"_s};

} // namespace

class FileChooserTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filtersHiddenAndSystemFilesShapeTheListing();
    void everyColumnSortsBothWaysFromMenuAndHeader();
    void typedLetterJumpsForwardAndWraps();
    void overwriteQuestionAsksOnlyWhenSavingOverAFile();
    void chooseFileReturnsThePathAndTheRunRemembersTheWindow();
    void viewsAttributesWheelHelpAndHistory();
    void drivesListAboveTheRoot();
    void everyViewShowsWholeNamesAndTheNameFieldHasTheFocus();
};

void FileChooserTest::filtersHiddenAndSystemFilesShapeTheListing() {
    Fixture f;
    QVERIFY(f.made);
    auto form = f.Open();
    QCOMPARE(form->Folder(), f.Folder());
    QCOMPARE(NameSet(form->Entries()), kPlainListing);

    const QList<QSet<QString>> fixed = {
        kPlainListing,
        {u"sub"_s, u"alpha.txt"_s, u"Beta.TXT"_s},
        {u"sub"_s, u"gamma.nbl"_s},
        {u"sub"_s, u"delta.gif"_s},
        {u"sub"_s, u"epsilon.dll"_s},
        {u"sub"_s, u"zeta.sok"_s, u"Avocado.sok"_s},
        {u"sub"_s, u"eta.xsb"_s},
        {u"sub"_s, u"alpha.txt"_s, u"Beta.TXT"_s, u"zeta.sok"_s, u"Avocado.sok"_s, u"eta.xsb"_s},
    };
    for (int filter = kFilterLevels; filter >= kFilterAll; --filter) {
        auto* radio =
            Control<QRadioButton>(*form, u"filterRadioButton"_s + QString::number(filter));
        QCOMPARE(radio->text(), FilterPattern(filter));
        QTest::mouseClick(radio, Qt::LeftButton);
        QCOMPARE(NameSet(form->Entries()), fixed[filter]);
    }

    // Typing a pattern filters by it at once.
    auto* pattern = Control<QLineEdit>(*form, u"filterEdit"_s);
    pattern->clear();
    QTest::keyClicks(pattern, u"*.XSB; *.sok"_s);
    QVERIFY(Control<QRadioButton>(*form, u"filterRadioButton"_s + QString::number(kFilterCustom))
                ->isChecked());
    QCOMPARE(NameSet(form->Entries()),
             (QSet<QString>{u"sub"_s, u"eta.xsb"_s, u"zeta.sok"_s, u"Avocado.sok"_s}));
    pattern->clear();
    QTest::keyClicks(pattern, u"e?a*"_s);
    QCOMPARE(NameSet(form->Entries()), (QSet<QString>{u"sub"_s, u"eta.xsb"_s}));
    QVERIFY(MatchesFilter(u"readme"_s, kFilterCustom, u"*.*"_s));
    QVERIFY(MatchesFilter(u"readme"_s, kFilterCustom, QString()));
    QVERIFY(!MatchesFilter(u"readme.txt"_s, kFilterTxt + 1, QString()));

    // Hidden and system entries come with their options only.
    f.ctx.options.value[kShowHiddenFiles] = true;
    form->SetFilter(kFilterTxt);
    QCOMPARE(NameSet(form->Entries()), (QSet<QString>{u"sub"_s, u".secret"_s, u"alpha.txt"_s,
                                                      u"Beta.TXT"_s, u".hidden.txt"_s}));
#ifndef Q_OS_WIN
    f.ctx.options.value[kShowSystemFiles] = true;
    form->Refresh();
    QVERIFY(NameSet(form->Entries()).contains(u"pipe.txt"_s));
    f.ctx.options.value[kShowHiddenFiles] = false;
    form->Refresh();
    QCOMPARE(NameSet(form->Entries()),
             (QSet<QString>{u"sub"_s, u"alpha.txt"_s, u"Beta.TXT"_s, u"pipe.txt"_s}));
#endif

    // Into a folder and one level up again, which comes back with that folder current.
    form->OpenFolder(f.Path(u"sub"_s));
    QCOMPARE(form->Entries().size(), std::size_t{0});
    QTest::mouseClick(Control<QToolButton>(*form, u"folderUpButton"_s), Qt::LeftButton);
    QCOMPARE(form->Folder(), f.Folder());
    QVERIFY(form->CurrentEntry() >= 0);
    QCOMPARE(form->Entries()[form->CurrentEntry()].name, u"sub"_s);
}

void FileChooserTest::everyColumnSortsBothWaysFromMenuAndHeader() {
    Fixture f;
    QVERIFY(f.made);
    f.ctx.options.value[kShowHiddenFiles] = true;
    f.ctx.options.value[kShowSystemFiles] = true;
    f.ctx.options.value[kShowFileAttributes] = true;
    auto form = f.Open();
    QVERIFY(form->Entries().size() >= 12);

    auto* menu = Control<QMenu>(*form, u"sortMenu"_s);
    const QStringList captions = {
        u"Sort on name A ... Z"_s,        u"Sort on name Z ... A"_s,
        u"Sort on type A ... Z"_s,        u"Sort on type Z ... A"_s,
        u"Sort on increasing size"_s,     u"Sort on decreasing size"_s,
        u"Sort on date old ... new"_s,    u"Sort on date new ... old"_s,
        u"Sort on read only attribute"_s, u"Sort on not read only attribute"_s,
        u"Sort on hidden attribute"_s,    u"Sort on not hidden attribute"_s,
        u"Sort on system attribute"_s,    u"Sort on not system attribute"_s,
        u"Sort on archive attribute"_s,   u"Sort on not archive attribute"_s};
    QCOMPARE(menu->actions().size(), kSortOrderCount);
    auto* tree = Control<QTreeView>(*form, u"detailsView"_s);
    QAbstractItemModel* model = tree->model();
    for (int order = kSortOrderCount - 1; order >= 0; --order) {
        QAction* action = menu->actions()[order];
        QCOMPARE(action->text(), captions[order]);
        action->trigger();
        QCOMPARE(form->SortOrder(), order);
        QVERIFY(action->isChecked());
        const QString error = SortError(form->Entries(), order);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (int column = 0; column < kColumnCount; ++column)
            QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::DecorationRole).isValid(),
                     column == SortColumn(order));
    }
    // The orders that have something to tell apart put it first.
    const auto firstFile = [&](int order) {
        form->SetSortOrder(order);
        for (const ChooserEntry& entry : form->Entries())
            if (!entry.folder) return entry.name;
        return QString();
    };
    QCOMPARE(firstFile(0), u".hidden.txt"_s);
    QCOMPARE(firstFile(1), u"zeta.sok"_s);
    QCOMPARE(firstFile(4), u"pipe.txt"_s);
    QCOMPARE(firstFile(5), u"epsilon.dll"_s);
    QCOMPARE(firstFile(7), u"pipe.txt"_s);
    QCOMPARE(firstFile(8), u"gamma.nbl"_s);
    QCOMPARE(firstFile(10), u".hidden.txt"_s);
    QCOMPARE(firstFile(12), u"pipe.txt"_s);
    QCOMPARE(NameSet(form->Entries()).size(), 13);

    // A section sorts ascending on it; the active one again turns the direction.
    QHeaderView* header = tree->header();
    // Every column shows its whole contents and caption ("Modified" was cut before).
    for (int column = 0; column < kColumnCount; ++column) {
        int widest = header->sectionSizeHint(column);
        for (int row = 0; row < model->rowCount(); ++row)
            widest = std::max(widest, tree->sizeHintForIndex(model->index(row, column)).width());
        QVERIFY2(header->sectionSize(column) >= widest,
                 qPrintable(model->headerData(column, Qt::Horizontal).toString()));
    }
    QCOMPARE(model->headerData(kColumnDate, Qt::Horizontal).toString(), u"Modified"_s);
    const auto clickSection = [&](int column) {
        const QPoint inside(header->sectionViewportPosition(column) + 20, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, inside);
    };
    clickSection(kColumnSize);
    QCOMPARE(form->SortOrder(), SortOrderOf(kColumnSize, false));
    clickSection(kColumnSize);
    QCOMPARE(form->SortOrder(), SortOrderOf(kColumnSize, true));
    clickSection(kColumnSize);
    QCOMPARE(form->SortOrder(), SortOrderOf(kColumnSize, false));
    clickSection(kColumnType);
    QCOMPARE(form->SortOrder(), SortOrderOf(kColumnType, false));
    QVERIFY(SortError(form->Entries(), form->SortOrder()).isEmpty());
}

void FileChooserTest::typedLetterJumpsForwardAndWraps() {
    Fixture f;
    QVERIFY(f.made);
    auto form = f.Open();
    auto* tree = Control<QTreeView>(*form, u"detailsView"_s);
    auto* name = Control<QLineEdit>(*form, u"fileNameEdit"_s);
    const auto current = [&] { return form->Entries()[form->CurrentEntry()].name; };
    // Sorted by name: sub, alpha.txt, Avocado.sok, Beta.TXT, delta.gif, epsilon.dll, eta.xsb, ...
    QTest::keyClick(tree, Qt::Key_A);
    QCOMPARE(current(), u"alpha.txt"_s);
    QCOMPARE(name->text(), u"alpha.txt"_s);
    QTest::keyClick(tree, 'a');
    QCOMPARE(current(), u"Avocado.sok"_s);
    QTest::keyClick(tree, 'A');
    QCOMPARE(current(), u"alpha.txt"_s);
    QTest::keyClick(tree, 'e');
    QCOMPARE(current(), u"epsilon.dll"_s);
    QTest::keyClick(tree, 'E');
    QCOMPARE(current(), u"eta.xsb"_s);
    QTest::keyClick(tree, 'q');
    QCOMPARE(current(), u"eta.xsb"_s);
    QTest::keyClick(tree, 's');
    QCOMPARE(current(), u"sub"_s);
    QCOMPARE(name->text(), u"eta.xsb"_s); // a folder does not take the name field

    // The same keys in the list views, here the column list.
    QTest::mouseClick(Control<QToolButton>(*form, u"columnListButton"_s), Qt::LeftButton);
    auto* list = Control<QListView>(*form, u"fileListView"_s);
    QVERIFY(list->isVisible());
    QCOMPARE(list->flow(), QListView::TopToBottom);
    QTest::keyClick(list, 'z');
    QCOMPARE(current(), u"zeta.sok"_s);
    QTest::keyClick(list, 'Z');
    QCOMPARE(current(), u"zeta.sok"_s);

    // Enter on a folder opens it rather than closing the window.
    QTest::keyClick(list, 's');
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(form->Folder(), QDir(f.Path(u"sub"_s)).absolutePath());
    QVERIFY(form->isVisible());
    QCOMPARE(form->result(), 0);
}

void FileChooserTest::overwriteQuestionAsksOnlyWhenSavingOverAFile() {
    Fixture f;
    QVERIFY(f.made);
    const QString big = f.Path(u"big.gif"_s);
    QVERIFY(MakeFile(big, 1234567, Day(2021, 6, 9)));
    const QDateTime modified = QFileInfo(big).lastModified();
    const QStringList question = {
        u"The file"_s, QDir::toNativeSeparators(big),
        u"(modified on "_s + QLocale::system().toString(modified.date(), QLocale::ShortFormat) +
            u","_s,
        u"at "_s + modified.time().toString(u"hh:mm:ss"_s) + u", size 1,234,567 bytes)"_s,
        u"already exists.  Overwrite?"_s};
    f.ctx.options.value[kPromptOnFileRewrite] = true;

    // No keeps the window open; yes takes the file.
    auto form = f.Open(kChooseSaving, big);
    QCOMPARE(Control<QLineEdit>(*form, u"fileNameEdit"_s)->text(), u"big.gif"_s);
    QCOMPARE(form->Entries()[form->CurrentEntry()].name, u"big.gif"_s);
    f.platform.answers = {false, true};
    auto* ok = Control<QPushButton>(*form, u"okButton"_s);
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(f.platform.shown.size(), std::size_t{1});
    QCOMPARE(Lines(f.platform.shown[0]), question);
    QVERIFY(form->isVisible());
    QCOMPARE(form->result(), 0);
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(f.platform.shown.size(), std::size_t{2});
    QCOMPARE(form->result(), int(QDialog::Accepted));
    QCOMPARE(form->ChosenFile(), QDir::toNativeSeparators(big));

    // A new name, reading, and the option off ask nothing.
    const auto closesSilently = [&](ChooserMode mode, const QString& typed) {
        auto other = f.Open(mode);
        auto* field = Control<QLineEdit>(*other, u"fileNameEdit"_s);
        field->setText(typed);
        QTest::keyClick(field, Qt::Key_Return);
        return other->result() == QDialog::Accepted &&
               other->ChosenFile() == QDir::toNativeSeparators(f.Path(typed));
    };
    QVERIFY(closesSilently(kChooseSaving, u"new.gif"_s));
    QVERIFY(closesSilently(kChooseReading, u"big.gif"_s));
    f.ctx.options.value[kPromptOnFileRewrite] = false;
    QVERIFY(closesSilently(kChooseSaving, u"big.gif"_s));
    QCOMPARE(f.platform.shown.size(), std::size_t{2});

    // A file whose data cannot be read shows question marks.
    const QStringList unknown = OverwriteQuestion(f.Path(u"gone.txt"_s));
    QCOMPARE(unknown[2], u"(modified on ?,"_s);
    QCOMPARE(unknown[3], u"at ?, size ? bytes)"_s);
    QCOMPARE(GroupedNumber(999), u"999"_s);
    QCOMPARE(GroupedNumber(1000), u"1,000"_s);
}

void FileChooserTest::chooseFileReturnsThePathAndTheRunRemembersTheWindow() {
    Fixture f;
    QVERIFY(f.made);
    f.history.names = {ToFileName(f.Path(u"eta.xsb"_s))};
    QStringList seen;
    // Plays the user in the modal window once it is up.
    const auto user = [&](const std::function<void(FileChooser&)>& act) {
        QTimer::singleShot(0, [&, act] {
            auto* form = qobject_cast<FileChooser*>(QApplication::activeModalWidget());
            if (form == nullptr) return;
            seen << form->windowTitle() << form->Folder()
                 << Control<QLineEdit>(*form, u"fileNameEdit"_s)->text();
            act(*form);
            if (form->isVisible()) form->reject();
        });
    };

    std::string name = ToFileName(f.Path(u"zeta.sok"_s));
    QRect frame;
    user([&](FileChooser& form) {
        form.SetView(kViewRowList);
        form.SetSortOrder(5);
        QTest::mouseClick(Control<QRadioButton>(form, u"filterRadioButton5"_s), Qt::LeftButton);
        form.setGeometry(40, 50, 640, 420);
        frame = form.frameGeometry();
        auto* field = Control<QLineEdit>(form, u"fileNameEdit"_s);
        field->setText(u"Avocado.sok"_s);
        QTest::mouseClick(Control<QPushButton>(form, u"okButton"_s), Qt::LeftButton);
    });
    QVERIFY(ChooseFile(f.setup, name, "Read levels", kChooseReading));
    QCOMPARE(seen, (QStringList{u"Read levels"_s, f.Folder(), u"zeta.sok"_s}));
    QCOMPARE(FromFileName(name), QDir::toNativeSeparators(f.Path(u"Avocado.sok"_s)));
    QCOMPARE(f.history.names, (std::vector<std::string>{name, ToFileName(f.Path(u"eta.xsb"_s))}));
    QCOMPARE(f.state.view, int(kViewRowList));
    QCOMPARE(f.state.sortOrder, 5);
    QCOMPARE(f.state.filter, int(kFilterSok));
    // The frame is kept, and the next window's client area comes back to the pixel.
    QCOMPARE(f.state.geometry, frame);

    // The next window, in the other mode, opens as the last one was left; Cancel changes nothing.
    seen.clear();
    const std::string before = name;
    user([&](FileChooser& form) {
        seen << QString::number(form.SortOrder()) << QString::number(form.geometry().left())
             << QString::number(form.Entries().size());
        QVERIFY(Control<QToolButton>(form, u"rowListButton"_s)->isChecked());
        QTest::keyClick(&form, Qt::Key_Escape);
    });
    QVERIFY(!ChooseFile(f.setup, name, "Save", kChooseSaving));
    QCOMPARE(seen, (QStringList{u"Save"_s, f.Folder(), u"Avocado.sok"_s, u"5"_s, u"40"_s, u"3"_s}));
    QCOMPARE(name, before);

    // A name whose folder is gone opens the start folder with nothing filled in.
    seen.clear();
    name = ToFileName(f.Path(u"missing/level.txt"_s));
    user([](FileChooser&) {});
    QVERIFY(!ChooseFile(f.setup, name, "Read levels", kChooseReading));
    QCOMPARE(seen, (QStringList{u"Read levels"_s, f.Folder(), QString()}));
}

void FileChooserTest::viewsAttributesWheelHelpAndHistory() {
    Fixture f;
    QVERIFY(f.made);
    for (int i = 0; i < 150; ++i)
        QVERIFY(MakeFile(f.Path(u"level%1.txt"_s.arg(i, 3, 10, QChar(u'0'))), i, Day(2022, 1, 1)));
    f.history.names = {ToFileName(f.Path(u"delta.gif"_s)), "/nowhere/at/all.txt"};
    f.ctx.options.value[kShowFileAttributes] = true;
    auto form = f.Open();
    auto* tree = Control<QTreeView>(*form, u"detailsView"_s);
    auto* list = Control<QListView>(*form, u"fileListView"_s);
    form->resize(700, 400);
    QScrollBar* bar = tree->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);

    // Attributes in their columns; the font-style option moves them into the name's style.
    for (int column = kColumnReadOnly; column <= kColumnArchive; ++column)
        QVERIFY(!tree->isColumnHidden(column));
    const auto row = [&](const QString& name) {
        for (std::size_t i = 0; i < form->Entries().size(); ++i)
            if (form->Entries()[i].name == name) return static_cast<int>(i);
        return -1;
    };
    QCOMPARE(tree->model()->index(row(u"gamma.nbl"_s), kColumnReadOnly).data().toString(),
             u"Yes"_s);
    QCOMPARE(tree->model()->index(row(u"delta.gif"_s), kColumnReadOnly).data().toString(),
             QString());
    f.ctx.options.value[kShowFileAttributesAsFontStyle] = true;
    auto styled = f.Open();
    auto* styledTree = Control<QTreeView>(*styled, u"detailsView"_s);
    for (int column = kColumnReadOnly; column <= kColumnArchive; ++column)
        QVERIFY(styledTree->isColumnHidden(column));
    QVERIFY(styledTree->model()
                ->index(row(u"gamma.nbl"_s), kColumnName)
                .data(Qt::FontRole)
                .value<QFont>()
                .italic());
    QVERIFY(!styledTree->model()
                 ->index(row(u"delta.gif"_s), kColumnName)
                 .data(Qt::FontRole)
                 .value<QFont>()
                 .italic());
    styled.reset();

    // The four views.
    const QStringList buttons = {u"largeIconsButton"_s, u"rowListButton"_s, u"columnListButton"_s,
                                 u"detailsButton"_s};
    const QStringList tips = {u"Large icons"_s, u"Row list"_s, u"Column list"_s, u"Details"_s};
    for (int view = 0; view < 4; ++view) {
        auto* button = Control<QToolButton>(*form, buttons[view]);
        QCOMPARE(button->toolTip(), tips[view]);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(tree->isVisible(), view == kViewDetails);
        QCOMPARE(list->isVisible(), view != kViewDetails);
        if (view == kViewLargeIcons) QCOMPARE(list->viewMode(), QListView::IconMode);
        if (view == kViewRowList) QCOMPARE(list->flow(), QListView::LeftToRight);
    }

    // The wheel over another control scrolls the list.
    QTRY_VERIFY(bar->maximum() > 0);
    bar->setValue(0);
    auto* label = Control<QLabel>(*form, u"folderLabel"_s);
    QVERIFY(!label->text().isEmpty());
    QWheelEvent down(QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -240),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(label, &down);
    QCOMPARE(bar->value(), 6 * bar->singleStep());
    QWheelEvent up(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Control<QLineEdit>(*form, u"fileNameEdit"_s), &up);
    QCOMPARE(bar->value(), 3 * bar->singleStep());
    QVERIFY(Control<QToolButton>(*form, u"folderUpButton"_s)->toolTip() ==
            u"Folder one level up"_s);

    // Help by key and button, with the topic of the mode.
    QTest::keyClick(form.get(), Qt::Key_F1);
    auto saving = f.Open(kChooseSaving);
    QTest::mouseClick(Control<QPushButton>(*saving, u"helpButton"_s), Qt::LeftButton);
    QCOMPARE(f.helpTopics, (std::vector<std::string>{"FileRead", "FileSave"}));
    QCOMPARE(Control<QPushButton>(*saving, u"cancelButton"_s)->text(), u"Cancel"_s);
    QCOMPARE(Control<QLineEdit>(*saving, u"fileNameEdit"_s)->maxLength(), 246);

    // The history: a chosen entry opens its folder with its name; "Clear history" empties it.
    auto* history = Control<QComboBox>(*saving, u"historyComboBox"_s);
    QCOMPARE(history->count(), 2);
    QCOMPARE(history->itemText(0), QDir::toNativeSeparators(f.Path(u"delta.gif"_s)));
    saving->OpenFolder(f.Path(u"sub"_s));
    Q_EMIT history->activated(0);
    QCOMPARE(saving->Folder(), f.Folder());
    QCOMPARE(Control<QLineEdit>(*saving, u"fileNameEdit"_s)->text(), u"delta.gif"_s);
    QCOMPARE(saving->Entries()[saving->CurrentEntry()].name, u"delta.gif"_s);
    Q_EMIT history->activated(1);
    QCOMPARE(saving->Folder(), f.Folder());
    auto* clear = Control<QPushButton>(*saving, u"clearHistoryButton"_s);
    QCOMPARE(clear->text(), u"Clear history"_s);
    QTest::mouseClick(clear, Qt::LeftButton);
    QCOMPARE(history->count(), 0);
    QVERIFY(f.history.names.empty());
}

void FileChooserTest::drivesListAboveTheRoot() {
    Fixture f;
    auto form = f.Open();
    form->OpenFolder(QDir::rootPath());
    auto* up = Control<QToolButton>(*form, u"folderUpButton"_s);
    QTest::mouseClick(up, Qt::LeftButton);
    QVERIFY(form->ListingDrives());
    QVERIFY(!up->isEnabled());
    QVERIFY(!form->Entries().empty());
    const QSet<QString> types = {u"Removable disk"_s, u"Fixed disk"_s, u"Network disk"_s,
                                 u"CD-ROM"_s,         u"RAM disk"_s,   u"Unknown type"_s};
    for (const ChooserEntry& drive : form->Entries()) {
        QVERIFY(drive.drive);
        QVERIFY2(types.contains(drive.type), qPrintable(drive.type));
    }
    auto* tree = Control<QTreeView>(*form, u"detailsView"_s);
    QCOMPARE(tree->model()->headerData(kColumnDate, Qt::Horizontal).toString(), u"Free space"_s);
    QCOMPARE(SortCaption(6, true), u"Sort on increasing free space"_s);
    QCOMPARE(SortCaption(7, true), u"Sort on decreasing free space"_s);
    form->SetSortOrder(7);
    QVERIFY(SortError(form->Entries(), 7).isEmpty());
    Q_EMIT tree->customContextMenuRequested(QPoint(5, 5));
    auto* menu = Control<QMenu>(*form, u"sortMenu"_s);
    QCOMPARE(menu->actions()[6]->text(), u"Sort on increasing free space"_s);
    QVERIFY(menu->actions()[7]->isChecked());
    menu->close();

    // The root came back current; opening it lists the folder again.
    QVERIFY(form->CurrentEntry() >= 0);
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(!form->ListingDrives());
    QVERIFY(up->isEnabled());

    QCOMPARE(ClassifyVolume("ext4", "/dev/sda1", false), kDriveFixed);
    QCOMPARE(ClassifyVolume("vfat", "/dev/sdb1", true), kDriveRemovable);
    QCOMPARE(ClassifyVolume("nfs4", "server:/export", false), kDriveNetwork);
    QCOMPARE(ClassifyVolume("iso9660", "/dev/sr0", true), kDriveCdRom);
    QCOMPARE(ClassifyVolume("tmpfs", "tmpfs", false), kDriveRam);
    QCOMPARE(ClassifyVolume("weird", "none", false), kDriveUnknown);
}

VORPEL_APP_TEST(FileChooserTest)

void FileChooserTest::everyViewShowsWholeNamesAndTheNameFieldHasTheFocus() {
    Fixture f;
    QVERIFY(f.made);
    const QString longName = u"A collection of levels with a rather long name.sok"_s;
    QVERIFY(MakeFile(f.Path(longName), 10, Day(2021, 1, 1)));
    auto form = f.Open();
    QCOMPARE(form->focusWidget(), Control<QLineEdit>(*form, u"fileNameEdit"_s));
    auto* list = Control<QListView>(*form, u"fileListView"_s);
    int row = -1;
    for (std::size_t i = 0; i < form->Entries().size(); ++i)
        if (form->Entries()[i].name == longName) row = static_cast<int>(i);
    QVERIFY(row >= 0);
    const QModelIndex index = list->model()->index(row, kColumnName);
    QCOMPARE(index.data(Qt::ToolTipRole).toString(), longName);
    const int textWidth = list->fontMetrics().horizontalAdvance(longName);
    for (const int view : {kViewRowList, kViewColumnList}) {
        form->SetView(view);
        QTRY_VERIFY2(list->visualRect(index).width() >= textWidth + list->iconSize().width(),
                     qPrintable(QString::number(view)));
    }
    // Large icons wrap the name over lines instead of cutting it.
    form->SetView(kViewLargeIcons);
    QTRY_VERIFY(list->visualRect(index).height() >
                list->iconSize().height() + 2 * list->fontMetrics().lineSpacing());
}

#include "file_chooser_test.moc"
