// The program's own file chooser, FileChooser, and ChooseFile, which opens it.
#include "app/FileChooser.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/FileListModel.h"
#include "app/Help.h"
#include "app/QtPlatform.h"
#include "files/FileNames.h"
#include "files/GameSession.h"

namespace vorpel {

using namespace Qt::StringLiterals;

namespace {

// The longest name the file name field takes.
constexpr int kMaxNameField = 246;

// Question lines go out as file names do, so that the one naming the file shows as it is.
std::vector<std::string> ToMessageLines(const QStringList& lines) {
    std::vector<std::string> result;
    for (const QString& line : lines) result.push_back(ToFileName(line));
    return result;
}

// A rectangle moved, and shrunk if need be, so that it lies fully on the screen.
// Sets the wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

bool ChooseFile(const FileChooserSetup& setup, std::string& fileName, const std::string& title,
                ChooserMode mode) {
    FileChooser form(setup, mode, FromCp1252(title), FromFileName(fileName));
    if (form.exec() != QDialog::Accepted) return false;
    fileName = ToFileName(form.ChosenFile());
    setup.history.Add(fileName);
    return true;
}

FileChooser::FileChooser(const FileChooserSetup& setup, ChooserMode mode, const QString& title,
                         const QString& fileName)
    : QDialog(setup.parent), setup_(setup), mode_(mode) {
    setObjectName(u"FileChooser"_s);
    setWindowTitle(title);
    setSizeGripEnabled(true);
    CreateControls();

    const FileChooserState& state = setup_.state;
    filter_ = std::clamp(state.filter, 0, kFilterCount - 1);
    sortOrder_ = std::clamp(state.sortOrder, 0, kSortOrderCount - 1);
    filterEdit->setText(state.customFilter);
    filterButtons_->button(filter_)->setChecked(true);
    model_->SetSortOrder(sortOrder_);
    SetView(state.view);
    UpdateAttributeDisplay();

    for (const std::string& name : setup_.history.Read())
        if (!name.empty()) historyComboBox->addItem(QDir::toNativeSeparators(FromFileName(name)));
    historyComboBox->setCurrentIndex(-1);

    QString folder = state.startFolder.isEmpty() ? QDir::currentPath() : state.startFolder;
    if (!fileName.isEmpty()) {
        const QFileInfo given(fileName);
        if (given.absoluteDir().exists()) {
            folder = given.absolutePath();
            fileNameEdit->setText(given.fileName());
        }
    }
    OpenFolder(folder);
    PlaceWindow();
    // A typed name or path goes to the name field, not to the list's type-ahead.
    fileNameEdit->setFocus();
}

FileChooser::~FileChooser() = default;

void FileChooser::CreateControls() {
    model_ = new FileListModel(this);

    folderLabel = new QLabel(this);
    folderLabel->setObjectName(u"folderLabel"_s);
    folderLabel->setMinimumWidth(100);
    folderLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    folderUpButton = new QToolButton(this);
    folderUpButton->setObjectName(u"folderUpButton"_s);
    folderUpButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    folderUpButton->setToolTip(u"Folder one level up"_s);
    connect(folderUpButton, &QToolButton::clicked, this, &FileChooser::OnFolderUp);

    auto* top = new QHBoxLayout;
    top->addWidget(folderLabel, 1);
    top->addWidget(folderUpButton);
    viewButtons_ = new QButtonGroup(this);
    const struct {
        const char16_t* name;
        const char16_t* caption;
        QStyle::StandardPixmap icon;
    } views[] = {
        {u"largeIconsButton", u"Large icons", QStyle::SP_FileDialogContentsView},
        {u"rowListButton", u"Row list", QStyle::SP_FileDialogListView},
        {u"columnListButton", u"Column list", QStyle::SP_FileDialogListView},
        {u"detailsButton", u"Details", QStyle::SP_FileDialogDetailedView},
    };
    for (int view = 0; view < 4; ++view) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromUtf16(views[view].name));
        button->setText(QString::fromUtf16(views[view].caption));
        button->setToolTip(button->text());
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        viewButtons_->addButton(button, view);
        top->addWidget(button);
    }
    connect(viewButtons_, &QButtonGroup::idClicked, this, &FileChooser::SetView);

    fileListView = new QListView(this);
    fileListView->setObjectName(u"fileListView"_s);
    fileListView->setModel(model_);
    fileListView->setMovement(QListView::Static);
    fileListView->setResizeMode(QListView::Adjust);
    fileListView->setWrapping(true);

    detailsView = new QTreeView(this);
    detailsView->setObjectName(u"detailsView"_s);
    detailsView->setModel(model_);
    detailsView->setRootIsDecorated(false);
    detailsView->setItemsExpandable(false);
    detailsView->setUniformRowHeights(true);
    detailsView->setAllColumnsShowFocus(true);
    // One selection for both views, so a change of view keeps the current entry.
    QItemSelectionModel* own = detailsView->selectionModel();
    detailsView->setSelectionModel(fileListView->selectionModel());
    delete own;
    QHeaderView* header = detailsView->header();
    header->setObjectName(u"detailsHeader"_s);
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false); // the model draws its own arrow
    header->setSectionsMovable(false);
    for (int column = 0; column < kColumnCount; ++column)
        header->resizeSection(column, FileListModel::ColumnWidth(column));
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::sectionClicked, this, &FileChooser::OnHeaderClicked);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this](const QPoint& position) {
        OnListContextMenu(detailsView->viewport()->mapFrom(detailsView->header(), position));
    });

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(fileListView),
                                    static_cast<QAbstractItemView*>(detailsView)}) {
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragEnabled(false);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, &FileChooser::OnEntryActivated);
        connect(view, &QWidget::customContextMenuRequested, this, &FileChooser::OnListContextMenu);
    }
    // Selection, not the current index: focus alone makes an entry current, and must not
    // overwrite a typed name.
    connect(fileListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileChooser::OnEntrySelected);

    viewStack_ = new QStackedWidget(this);
    viewStack_->addWidget(fileListView);
    viewStack_->addWidget(detailsView);

    auto* filters = new QHBoxLayout;
    filterButtons_ = new QButtonGroup(this);
    for (int filter = 0; filter < kFilterCount; ++filter) {
        auto* radio = new QRadioButton(FilterPattern(filter), this);
        radio->setObjectName(u"filterRadioButton"_s + QString::number(filter));
        filterButtons_->addButton(radio, filter);
        filters->addWidget(radio);
    }
    filterEdit = new QLineEdit(this);
    filterEdit->setObjectName(u"filterEdit"_s);
    filters->addWidget(filterEdit, 1);
    connect(filterButtons_, &QButtonGroup::idClicked, this, &FileChooser::SetFilter);
    connect(filterEdit, &QLineEdit::textEdited, this, &FileChooser::OnFilterEdited);

    fileNameEdit = new QLineEdit(this);
    fileNameEdit->setObjectName(u"fileNameEdit"_s);
    fileNameEdit->setMaxLength(kMaxNameField);

    historyComboBox = new QComboBox(this);
    historyComboBox->setObjectName(u"historyComboBox"_s);
    historyComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    historyComboBox->setMinimumContentsLength(30);
    connect(historyComboBox, &QComboBox::activated, this, &FileChooser::OnHistoryChosen);

    clearHistoryButton = new QPushButton(u"Clear history"_s, this);
    clearHistoryButton->setObjectName(u"clearHistoryButton"_s);
    clearHistoryButton->setAutoDefault(false);
    connect(clearHistoryButton, &QPushButton::clicked, this, &FileChooser::OnClearHistory);

    okButton = new QPushButton(u"OK"_s, this);
    okButton->setObjectName(u"okButton"_s);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &FileChooser::OnOk);
    cancelButton = new QPushButton(u"Cancel"_s, this);
    cancelButton->setObjectName(u"cancelButton"_s);
    cancelButton->setAutoDefault(false);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    helpButton = new QPushButton(u"Help"_s, this);
    helpButton->setObjectName(u"helpButton"_s);
    helpButton->setAutoDefault(false);
    connect(helpButton, &QPushButton::clicked, this, &FileChooser::OnHelp);

    auto* bottom = new QGridLayout;
    bottom->addWidget(fileNameEdit, 0, 0, 1, 2);
    bottom->addWidget(okButton, 0, 2);
    bottom->addWidget(cancelButton, 0, 3);
    bottom->addWidget(historyComboBox, 1, 0);
    bottom->addWidget(clearHistoryButton, 1, 1);
    bottom->addWidget(helpButton, 1, 3);
    bottom->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(viewStack_, 1);
    layout->addLayout(filters);
    layout->addLayout(bottom);

    // The wheel scrolls the list wherever it is turned over the window.
    for (QWidget* control : findChildren<QWidget*>())
        if (control->window() == this && control != viewStack_ &&
            !viewStack_->isAncestorOf(control))
            control->installEventFilter(this);

    sortMenu = new QMenu(this);
    sortMenu->setObjectName(u"sortMenu"_s);
    sortActions_ = new QActionGroup(this);
    sortActions_->setExclusive(true);
    for (int order = 0; order < kSortOrderCount; ++order) {
        QAction* action = sortMenu->addAction(SortCaption(order, false));
        action->setCheckable(true);
        action->setData(order);
        sortActions_->addAction(action);
        connect(action, &QAction::triggered, this, [this, order] { SetSortOrder(order); });
    }
}

void FileChooser::PlaceWindow() {
    const FileChooserState& state = setup_.state;
    QScreen* screen = setup_.parent != nullptr ? setup_.parent->screen() : this->screen();
    const QRect available =
        screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect wanted = state.geometry.isValid()
                             ? state.geometry
                             : QRect(available.left() + 60, available.top() + 40, 760, 520);
    PlaceFrame(*this, wanted, setup_.frameMargins);
    if (state.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

const std::vector<ChooserEntry>& FileChooser::Entries() const {
    return model_->Entries();
}

int FileChooser::CurrentEntry() const {
    const QModelIndex current = fileListView->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FileChooser::SetCurrentEntry(int row) {
    QItemSelectionModel* selection = fileListView->selectionModel();
    if (row < 0 || row >= model_->rowCount()) {
        selection->clear();
        return;
    }
    const QModelIndex index = model_->index(row, kColumnName);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ActiveView()->scrollTo(index);
}

QAbstractItemView* FileChooser::ActiveView() const {
    if (view_ == kViewDetails) return detailsView;
    return fileListView;
}

void FileChooser::ShowEntries(std::vector<ChooserEntry> entries, const QString& select) {
    {
        const WaitCursor wait;
        SortEntries(entries, sortOrder_);
    }
    model_->SetEntries(std::move(entries), listingDrives_);
    int row = -1;
    const auto& listed = model_->Entries();
    for (std::size_t i = 0; i < listed.size() && !select.isEmpty(); ++i)
        if (listed[i].name == select) row = static_cast<int>(i);
    SetCurrentEntry(row);
    folderUpButton->setEnabled(!listingDrives_);
    ShowFolderName();
    FitNames();
}

void FileChooser::FitNames() {
    // The details columns take their contents' width (and their caption's).
    if (view_ == kViewDetails) {
        for (int column = 0; column < kColumnCount; ++column)
            detailsView->resizeColumnToContents(column);
        return;
    }
    // The list views are as wide as the longest name, up to a limit; large icons wrap their
    // names over up to three lines. The tooltip shows any name still cut.
    const QFontMetrics metrics(fileListView->font());
    int longest = 0;
    for (const ChooserEntry& entry : Entries())
        longest = std::max(longest, metrics.horizontalAdvance(entry.name));
    if (view_ == kViewLargeIcons) {
        const int width = std::clamp(longest + 8, 96, 180);
        fileListView->setGridSize(QSize(width, 40 + 3 * metrics.lineSpacing()));
    } else {
        const int width = std::min(longest, 480) + fileListView->iconSize().width() + 16;
        fileListView->setGridSize(QSize(width, std::max(metrics.lineSpacing(), 16) + 4));
    }
}

void FileChooser::OpenFolder(const QString& folder) {
    folder_ = QDir(folder).absolutePath();
    listingDrives_ = false;
    ShowEntries(List(), fileNameEdit->text());
}

void FileChooser::ShowDrives() {
    folder_.clear();
    listingDrives_ = true;
    ShowEntries(List(), QString());
}

void FileChooser::Refresh() {
    const int current = CurrentEntry();
    ShowEntries(List(), current >= 0 ? Entries()[current].name : fileNameEdit->text());
}

std::vector<ChooserEntry> FileChooser::List() const {
    if (listingDrives_) return ListDrives();
    const Options& options = setup_.ctx.options;
    const ListingOptions listing{options[kShowHiddenFiles], options[kShowSystemFiles]};
    return ListFolder(folder_, filter_, filterEdit->text(), listing);
}

void FileChooser::ShowFolderName() {
    // The label shows as much of the folder as fits, its first folders giving way first.
    const QFontMetrics metrics(folderLabel->font());
    const std::string shown =
        ShortenPath(QDir::toNativeSeparators(folder_).toStdString(),
                    std::max(folderLabel->width(), 1), [&](const std::string& text) {
                        return metrics.horizontalAdvance(QString::fromStdString(text));
                    });
    folderLabel->setText(QString::fromStdString(shown));
    folderLabel->setToolTip(QDir::toNativeSeparators(folder_));
}

void FileChooser::UpdateAttributeDisplay() {
    // "Show file attributes" shows them; the font-style option chooses how.
    const Options& options = setup_.ctx.options;
    const bool shown = options[kShowFileAttributes];
    const bool asFontStyle = shown && options[kShowFileAttributesAsFontStyle];
    for (int column = kColumnReadOnly; column <= kColumnArchive; ++column)
        detailsView->setColumnHidden(column, !shown || asFontStyle);
    model_->SetAttributesAsFontStyle(asFontStyle);
}

void FileChooser::SetFilter(int filter) {
    filter_ = std::clamp(filter, 0, kFilterCount - 1);
    if (!filterButtons_->button(filter_)->isChecked())
        filterButtons_->button(filter_)->setChecked(true);
    if (!listingDrives_) Refresh();
}

void FileChooser::OnFilterEdited() {
    // Typing a pattern means filtering by it.
    SetFilter(kFilterCustom);
}

void FileChooser::SetView(int view) {
    view_ = std::clamp(view, 0, static_cast<int>(kViewDetails));
    viewButtons_->button(view_)->setChecked(true);
    const bool hadFocus =
        viewStack_->currentWidget() != nullptr && viewStack_->currentWidget()->hasFocus();
    if (view_ == kViewDetails) {
        viewStack_->setCurrentWidget(detailsView);
    } else {
        const bool icons = view_ == kViewLargeIcons;
        fileListView->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
        fileListView->setFlow(view_ == kViewColumnList ? QListView::TopToBottom
                                                       : QListView::LeftToRight);
        fileListView->setWrapping(true);
        fileListView->setMovement(QListView::Static);
        fileListView->setWordWrap(icons);
        // Each name at its own width: uniform sizes would cut every name to the first one's.
        fileListView->setUniformItemSizes(false);
        fileListView->setTextElideMode(icons ? Qt::ElideMiddle : Qt::ElideRight);
        fileListView->setIconSize(icons ? QSize(32, 32) : QSize(16, 16));
        fileListView->setSpacing(icons ? 4 : 2);
        viewStack_->setCurrentWidget(fileListView);
    }
    FitNames();
    if (hadFocus) ActiveView()->setFocus();
    const int current = CurrentEntry();
    if (current >= 0) ActiveView()->scrollTo(model_->index(current, kColumnName));
}

void FileChooser::SetSortOrder(int order) {
    sortOrder_ = std::clamp(order, 0, kSortOrderCount - 1);
    model_->SetSortOrder(sortOrder_);
    const int current = CurrentEntry();
    const QString select = current >= 0 ? Entries()[current].name : QString();
    ShowEntries(model_->Entries(), select);
}

void FileChooser::OnHeaderClicked(int section) {
    const bool descending = SortColumn(sortOrder_) == section && !SortDescending(sortOrder_);
    SetSortOrder(SortOrderOf(section, descending));
}

void FileChooser::OnListContextMenu(const QPoint& position) {
    const bool drives = listingDrives_;
    for (QAction* action : sortActions_->actions()) {
        const int order = action->data().toInt();
        action->setText(SortCaption(order, drives));
        action->setChecked(order == sortOrder_);
    }
    QWidget* origin = ActiveView()->viewport();
    sortMenu->popup(origin->mapToGlobal(position));
}

void FileChooser::JumpToLetter(QChar letter) {
    const int row = NextEntryStartingWith(Entries(), CurrentEntry(), letter);
    if (row >= 0) SetCurrentEntry(row);
}

void FileChooser::OnEntrySelected() {
    const QModelIndexList rows = fileListView->selectionModel()->selectedRows(kColumnName);
    if (rows.size() != 1 || rows[0].row() >= model_->rowCount()) return;
    const ChooserEntry& entry = Entries()[rows[0].row()];
    if (!entry.folder && !entry.drive) fileNameEdit->setText(entry.name);
}

void FileChooser::OnEntryActivated(const QModelIndex& index) {
    if (index.isValid()) OpenEntry(index.row());
}

void FileChooser::OpenEntry(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const ChooserEntry entry = Entries()[row];
    if (entry.drive || entry.folder) {
        OpenFolder(entry.path);
        return;
    }
    fileNameEdit->setText(entry.name);
    OnOk();
}

void FileChooser::OnFolderUp() {
    if (listingDrives_) return;
    QDir folder(folder_);
    if (folder.isRoot()) {
        const QString root = folder_;
        ShowDrives();
        for (std::size_t i = 0; i < Entries().size(); ++i)
            if (Entries()[i].path == root) SetCurrentEntry(static_cast<int>(i));
        return;
    }
    const QString child = folder.dirName();
    folder.cdUp();
    folder_ = folder.absolutePath();
    ShowEntries(List(), child);
}

void FileChooser::OnHelp() {
    if (setup_.showHelp) setup_.showHelp(mode_ == kChooseReading ? "FileRead" : "FileSave");
}

void FileChooser::OnClearHistory() {
    setup_.history.Clear();
    historyComboBox->clear();
}

void FileChooser::OnHistoryChosen(int index) {
    if (index < 0) return;
    const QFileInfo chosen(historyComboBox->itemText(index));
    if (!chosen.absoluteDir().exists()) return;
    fileNameEdit->setText(chosen.fileName());
    OpenFolder(chosen.absolutePath());
}

void FileChooser::OnOk() {
    const QString text = fileNameEdit->text();
    if (text.isEmpty()) {
        const int current = CurrentEntry();
        if (current >= 0 && (Entries()[current].folder || Entries()[current].drive))
            OpenEntry(current);
        return;
    }
    const QString typed = QDir::fromNativeSeparators(text);
    const QFileInfo target(
        QDir::isAbsolutePath(typed) || listingDrives_ ? typed : QDir(folder_).filePath(typed));
    if (target.isDir()) {
        fileNameEdit->clear();
        OpenFolder(target.absoluteFilePath());
        return;
    }
    const QString path = QDir::cleanPath(target.absoluteFilePath());
    if (mode_ == kChooseSaving && setup_.ctx.options[kPromptOnFileRewrite] && target.exists() &&
        !setup_.ctx.platform->AskYesNo(ToMessageLines(OverwriteQuestion(path))))
        return;
    chosen_ = QDir::toNativeSeparators(path);
    accept();
}

bool FileChooser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched != fileListView && watched != detailsView) {
        ScrollListByWheel(*static_cast<QWheelEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::KeyPress && (watched == fileListView || watched == detailsView)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // The entry, not the dialog's default button, answers Enter in the list.
            const int current = CurrentEntry();
            if (current >= 0)
                OpenEntry(current);
            else
                OnOk();
            return true;
        }
        const QString text = key->text();
        const bool command =
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
        if (!command && text.size() == 1 && text[0].isPrint() && !text[0].isSpace()) {
            JumpToLetter(text[0]);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FileChooser::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OnHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FileChooser::wheelEvent(QWheelEvent* event) {
    ScrollListByWheel(*event);
}

void FileChooser::ScrollListByWheel(QWheelEvent& event) {
    QAbstractItemView* view = ActiveView();
    QScrollBar* bar = view->verticalScrollBar();
    if (bar->maximum() <= bar->minimum()) bar = view->horizontalScrollBar();
    const QPoint delta = event.angleDelta();
    const int notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
    bar->setValue(bar->value() - notches * 3 * bar->singleStep());
    event.accept();
}

void FileChooser::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ShowFolderName();
}

void FileChooser::done(int result) {
    FileChooserState& state = setup_.state;
    state.filter = filter_;
    state.customFilter = filterEdit->text();
    state.view = view_;
    state.sortOrder = sortOrder_;
    state.maximized = isMaximized();
    state.geometry = FrameRect(*this, setup_.frameMargins);
    QDialog::done(result);
}

bool ChooseFile(GameSession& session, FileChooserHost& program, QWidget* parent,
                std::string& fileName, const std::string& title, ChooserMode mode) {
    QtPlatform& platform = program.Platform();
    return ChooseFile(
        FileChooserSetup{session.Data(), program.ChooserState(), program.History(),
                         program.Memory().frameMargins,
                         [&platform](const std::string& topic) { ShowHelp(platform, topic); },
                         parent},
        fileName, title, mode);
}

bool ExtensionAccepted(GameSession& session, FileChooserHost& program, const std::string& name,
                       const char* extension, const std::vector<std::string>& question) {
    return !session.Data().options[kConfirmNonStandardExtension] || HasExtension(extension, name) ||
           program.Platform().AskYesNo(question);
}

} // namespace vorpel
