// The program's own file chooser, TFormEscolherArquivo, and ChooseFile, which opens it.
#include "app/EscolherArquivo.h"

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

#include "app/ModeloArquivos.h"
#include "app/QtPlatform.h"
#include "files/EntSai.h"

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
QRect OntoScreen(QRect rect, const QRect& screen) {
    rect.setWidth(std::min(rect.width(), screen.width()));
    rect.setHeight(std::min(rect.height(), screen.height()));
    if (rect.right() > screen.right()) rect.moveRight(screen.right());
    if (rect.bottom() > screen.bottom()) rect.moveBottom(screen.bottom());
    if (rect.left() < screen.left()) rect.moveLeft(screen.left());
    if (rect.top() < screen.top()) rect.moveTop(screen.top());
    return rect;
}

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
    TFormEscolherArquivo form(setup, mode, FromCp1252(title), FromFileName(fileName));
    if (form.exec() != QDialog::Accepted) return false;
    fileName = ToFileName(form.ChosenFile());
    setup.history.Add(fileName);
    return true;
}

TFormEscolherArquivo::TFormEscolherArquivo(const FileChooserSetup& setup, ChooserMode mode,
                                           const QString& title, const QString& fileName)
    : QDialog(setup.parent), setup_(setup), mode_(mode) {
    setObjectName(u"TFormEscolherArquivo"_s);
    setWindowTitle(title);
    setSizeGripEnabled(true);
    CreateControls();

    const FileChooserState& state = setup_.state;
    filter_ = std::clamp(state.filter, 0, kFilterCount - 1);
    sortOrder_ = std::clamp(state.sortOrder, 0, kSortOrderCount - 1);
    EditFiltro->setText(state.customFilter);
    grupoFiltro_->button(filter_)->setChecked(true);
    model_->SetSortOrder(sortOrder_);
    SetView(state.view);
    UpdateAttributeDisplay();

    for (const std::string& name : setup_.history.Read())
        if (!name.empty()) ComboBoxHistoria->addItem(QDir::toNativeSeparators(FromFileName(name)));
    ComboBoxHistoria->setCurrentIndex(-1);

    QString folder = state.startFolder.isEmpty() ? QDir::currentPath() : state.startFolder;
    if (!fileName.isEmpty()) {
        const QFileInfo given(fileName);
        if (given.absoluteDir().exists()) {
            folder = given.absolutePath();
            EditArquivo->setText(given.fileName());
        }
    }
    OpenFolder(folder);
    PlaceWindow();
    ActiveView()->setFocus();
}

TFormEscolherArquivo::~TFormEscolherArquivo() = default;

void TFormEscolherArquivo::CreateControls() {
    model_ = new FileListModel(this);

    LabelPasta = new QLabel(this);
    LabelPasta->setObjectName(u"LabelPasta"_s);
    LabelPasta->setMinimumWidth(100);
    LabelPasta->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    BotaoNivelAcima = new QToolButton(this);
    BotaoNivelAcima->setObjectName(u"BotaoNivelAcima"_s);
    BotaoNivelAcima->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    BotaoNivelAcima->setToolTip(u"Folder one level up"_s);
    connect(BotaoNivelAcima, &QToolButton::clicked, this,
            &TFormEscolherArquivo::OnClickBotaoNivelAcima);

    auto* top = new QHBoxLayout;
    top->addWidget(LabelPasta, 1);
    top->addWidget(BotaoNivelAcima);
    grupoVisao_ = new QButtonGroup(this);
    const struct {
        const char16_t* name;
        const char16_t* caption;
        QStyle::StandardPixmap icon;
    } views[] = {
        {u"BotaoIconesGrandes", u"Large icons", QStyle::SP_FileDialogContentsView},
        {u"BotaoLinhas", u"Row list", QStyle::SP_FileDialogListView},
        {u"BotaoColunas", u"Column list", QStyle::SP_FileDialogListView},
        {u"BotaoDetalhes", u"Details", QStyle::SP_FileDialogDetailedView},
    };
    for (int tag = 0; tag < 4; ++tag) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromUtf16(views[tag].name));
        button->setText(QString::fromUtf16(views[tag].caption));
        button->setToolTip(button->text());
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        grupoVisao_->addButton(button, tag);
        top->addWidget(button);
    }
    connect(grupoVisao_, &QButtonGroup::idClicked, this, &TFormEscolherArquivo::SetView);

    ListViewArquivos = new QListView(this);
    ListViewArquivos->setObjectName(u"ListViewArquivos"_s);
    ListViewArquivos->setModel(model_);
    ListViewArquivos->setMovement(QListView::Static);
    ListViewArquivos->setResizeMode(QListView::Adjust);
    ListViewArquivos->setWrapping(true);
    ListViewArquivos->setUniformItemSizes(true);

    ListViewDetalhes = new QTreeView(this);
    ListViewDetalhes->setObjectName(u"ListViewDetalhes"_s);
    ListViewDetalhes->setModel(model_);
    ListViewDetalhes->setRootIsDecorated(false);
    ListViewDetalhes->setItemsExpandable(false);
    ListViewDetalhes->setUniformRowHeights(true);
    ListViewDetalhes->setAllColumnsShowFocus(true);
    // One selection for both views, so a change of view keeps the current entry.
    QItemSelectionModel* own = ListViewDetalhes->selectionModel();
    ListViewDetalhes->setSelectionModel(ListViewArquivos->selectionModel());
    delete own;
    QHeaderView* header = ListViewDetalhes->header();
    header->setObjectName(u"CabecalhoDetalhes"_s);
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false); // the model draws its own arrow
    header->setSectionsMovable(false);
    for (int column = 0; column < kColumnCount; ++column)
        header->resizeSection(column, FileListModel::ColumnWidth(column));
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::sectionClicked, this, &TFormEscolherArquivo::OnClickCabecalho);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this](const QPoint& position) {
        OnContextMenuLista(
            ListViewDetalhes->viewport()->mapFrom(ListViewDetalhes->header(), position));
    });

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(ListViewArquivos),
                                    static_cast<QAbstractItemView*>(ListViewDetalhes)}) {
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragEnabled(false);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this,
                &TFormEscolherArquivo::OnActivatedLista);
        connect(view, &QWidget::customContextMenuRequested, this,
                &TFormEscolherArquivo::OnContextMenuLista);
    }
    // Selection, not the current index: focus alone makes an entry current, and must not
    // overwrite a typed name.
    connect(ListViewArquivos->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFormEscolherArquivo::OnSelectItemLista);

    pilhaVisoes_ = new QStackedWidget(this);
    pilhaVisoes_->addWidget(ListViewArquivos);
    pilhaVisoes_->addWidget(ListViewDetalhes);

    auto* filters = new QHBoxLayout;
    grupoFiltro_ = new QButtonGroup(this);
    for (int tag = 0; tag < kFilterCount; ++tag) {
        auto* radio = new QRadioButton(FilterPattern(tag), this);
        radio->setObjectName(u"RadioButtonFiltro"_s + QString::number(tag));
        grupoFiltro_->addButton(radio, tag);
        filters->addWidget(radio);
    }
    EditFiltro = new QLineEdit(this);
    EditFiltro->setObjectName(u"EditFiltro"_s);
    filters->addWidget(EditFiltro, 1);
    connect(grupoFiltro_, &QButtonGroup::idClicked, this, &TFormEscolherArquivo::SetFilter);
    connect(EditFiltro, &QLineEdit::textEdited, this, &TFormEscolherArquivo::OnChangeEditFiltro);

    EditArquivo = new QLineEdit(this);
    EditArquivo->setObjectName(u"EditArquivo"_s);
    EditArquivo->setMaxLength(kMaxNameField);

    ComboBoxHistoria = new QComboBox(this);
    ComboBoxHistoria->setObjectName(u"ComboBoxHistoria"_s);
    ComboBoxHistoria->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBoxHistoria->setMinimumContentsLength(30);
    connect(ComboBoxHistoria, &QComboBox::activated, this,
            &TFormEscolherArquivo::OnActivatedComboBoxHistoria);

    BotaoLimparHistoria = new QPushButton(u"Clear history"_s, this);
    BotaoLimparHistoria->setObjectName(u"BotaoLimparHistoria"_s);
    BotaoLimparHistoria->setAutoDefault(false);
    connect(BotaoLimparHistoria, &QPushButton::clicked, this,
            &TFormEscolherArquivo::OnClickBotaoLimparHistoria);

    BotaoOK = new QPushButton(u"OK"_s, this);
    BotaoOK->setObjectName(u"BotaoOK"_s);
    BotaoOK->setDefault(true);
    connect(BotaoOK, &QPushButton::clicked, this, &TFormEscolherArquivo::OnClickBotaoOK);
    BotaoCancelar = new QPushButton(u"Cancel"_s, this);
    BotaoCancelar->setObjectName(u"BotaoCancelar"_s);
    BotaoCancelar->setAutoDefault(false);
    connect(BotaoCancelar, &QPushButton::clicked, this, &QDialog::reject);
    BotaoAjuda = new QPushButton(u"Help"_s, this);
    BotaoAjuda->setObjectName(u"BotaoAjuda"_s);
    BotaoAjuda->setAutoDefault(false);
    connect(BotaoAjuda, &QPushButton::clicked, this, &TFormEscolherArquivo::OnClickBotaoAjuda);

    auto* bottom = new QGridLayout;
    bottom->addWidget(EditArquivo, 0, 0, 1, 2);
    bottom->addWidget(BotaoOK, 0, 2);
    bottom->addWidget(BotaoCancelar, 0, 3);
    bottom->addWidget(ComboBoxHistoria, 1, 0);
    bottom->addWidget(BotaoLimparHistoria, 1, 1);
    bottom->addWidget(BotaoAjuda, 1, 3);
    bottom->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pilhaVisoes_, 1);
    layout->addLayout(filters);
    layout->addLayout(bottom);

    // The wheel scrolls the list wherever it is turned over the window.
    for (QWidget* control : findChildren<QWidget*>())
        if (control->window() == this && control != pilhaVisoes_ &&
            !pilhaVisoes_->isAncestorOf(control))
            control->installEventFilter(this);

    MenuOrdenar = new QMenu(this);
    MenuOrdenar->setObjectName(u"MenuOrdenar"_s);
    grupoOrdem_ = new QActionGroup(this);
    grupoOrdem_->setExclusive(true);
    for (int order = 0; order < kSortOrderCount; ++order) {
        QAction* action = MenuOrdenar->addAction(SortCaption(order, false));
        action->setCheckable(true);
        action->setData(order);
        grupoOrdem_->addAction(action);
        connect(action, &QAction::triggered, this, [this, order] { SetSortOrder(order); });
    }
}

void TFormEscolherArquivo::PlaceWindow() {
    const FileChooserState& state = setup_.state;
    QScreen* screen = setup_.parent != nullptr ? setup_.parent->screen() : this->screen();
    const QRect available =
        screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect wanted = state.geometry.isValid()
                             ? state.geometry
                             : QRect(available.left() + 60, available.top() + 40, 760, 520);
    setGeometry(OntoScreen(wanted, available));
    if (state.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

const std::vector<ChooserEntry>& TFormEscolherArquivo::Entries() const {
    return model_->Entries();
}

int TFormEscolherArquivo::CurrentEntry() const {
    const QModelIndex current = ListViewArquivos->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TFormEscolherArquivo::SetCurrentEntry(int row) {
    QItemSelectionModel* selection = ListViewArquivos->selectionModel();
    if (row < 0 || row >= model_->rowCount()) {
        selection->clear();
        return;
    }
    const QModelIndex index = model_->index(row, kColumnName);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ActiveView()->scrollTo(index);
}

QAbstractItemView* TFormEscolherArquivo::ActiveView() const {
    if (view_ == kViewDetails) return ListViewDetalhes;
    return ListViewArquivos;
}

void TFormEscolherArquivo::ShowEntries(std::vector<ChooserEntry> entries, const QString& select) {
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
    BotaoNivelAcima->setEnabled(!listingDrives_);
    ShowFolderName();
}

void TFormEscolherArquivo::OpenFolder(const QString& folder) {
    folder_ = QDir(folder).absolutePath();
    listingDrives_ = false;
    ShowEntries(List(), EditArquivo->text());
}

void TFormEscolherArquivo::ShowDrives() {
    folder_.clear();
    listingDrives_ = true;
    ShowEntries(List(), QString());
}

void TFormEscolherArquivo::Refresh() {
    const int current = CurrentEntry();
    ShowEntries(List(), current >= 0 ? Entries()[current].name : EditArquivo->text());
}

std::vector<ChooserEntry> TFormEscolherArquivo::List() const {
    if (listingDrives_) return ListDrives();
    const Options& options = setup_.ctx.options;
    const ListingOptions listing{options[kShowHiddenFiles], options[kShowSystemFiles]};
    return ListFolder(folder_, filter_, EditFiltro->text(), listing);
}

void TFormEscolherArquivo::ShowFolderName() {
    // The label shows as much of the folder as fits, its first folders giving way first.
    const QFontMetrics metrics(LabelPasta->font());
    const std::string shown =
        ShortenPath(QDir::toNativeSeparators(folder_).toStdString(),
                    std::max(LabelPasta->width(), 1), [&](const std::string& text) {
                        return metrics.horizontalAdvance(QString::fromStdString(text));
                    });
    LabelPasta->setText(QString::fromStdString(shown));
    LabelPasta->setToolTip(QDir::toNativeSeparators(folder_));
}

void TFormEscolherArquivo::UpdateAttributeDisplay() {
    // "Show file attributes" shows them; the font-style option chooses how.
    const Options& options = setup_.ctx.options;
    const bool shown = options[kShowFileAttributes];
    const bool asFontStyle = shown && options[kShowFileAttributesAsFontStyle];
    for (int column = kColumnReadOnly; column <= kColumnArchive; ++column)
        ListViewDetalhes->setColumnHidden(column, !shown || asFontStyle);
    model_->SetAttributesAsFontStyle(asFontStyle);
}

void TFormEscolherArquivo::SetFilter(int filter) {
    filter_ = std::clamp(filter, 0, kFilterCount - 1);
    if (!grupoFiltro_->button(filter_)->isChecked())
        grupoFiltro_->button(filter_)->setChecked(true);
    if (!listingDrives_) Refresh();
}

void TFormEscolherArquivo::OnChangeEditFiltro() {
    // Typing a pattern means filtering by it.
    SetFilter(kFilterCustom);
}

void TFormEscolherArquivo::SetView(int view) {
    view_ = std::clamp(view, 0, static_cast<int>(kViewDetails));
    grupoVisao_->button(view_)->setChecked(true);
    const bool hadFocus =
        pilhaVisoes_->currentWidget() != nullptr && pilhaVisoes_->currentWidget()->hasFocus();
    if (view_ == kViewDetails) {
        pilhaVisoes_->setCurrentWidget(ListViewDetalhes);
    } else {
        const bool icons = view_ == kViewLargeIcons;
        ListViewArquivos->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
        ListViewArquivos->setFlow(view_ == kViewColumnList ? QListView::TopToBottom
                                                           : QListView::LeftToRight);
        ListViewArquivos->setWrapping(true);
        ListViewArquivos->setMovement(QListView::Static);
        ListViewArquivos->setWordWrap(icons);
        ListViewArquivos->setGridSize(icons ? QSize(96, 72) : QSize());
        ListViewArquivos->setIconSize(icons ? QSize(32, 32) : QSize(16, 16));
        ListViewArquivos->setSpacing(icons ? 4 : 2);
        pilhaVisoes_->setCurrentWidget(ListViewArquivos);
    }
    if (hadFocus) ActiveView()->setFocus();
    const int current = CurrentEntry();
    if (current >= 0) ActiveView()->scrollTo(model_->index(current, kColumnName));
}

void TFormEscolherArquivo::SetSortOrder(int order) {
    sortOrder_ = std::clamp(order, 0, kSortOrderCount - 1);
    model_->SetSortOrder(sortOrder_);
    const int current = CurrentEntry();
    const QString select = current >= 0 ? Entries()[current].name : QString();
    ShowEntries(model_->Entries(), select);
}

void TFormEscolherArquivo::OnClickCabecalho(int section) {
    const bool descending = SortColumn(sortOrder_) == section && !SortDescending(sortOrder_);
    SetSortOrder(SortOrderOf(section, descending));
}

void TFormEscolherArquivo::OnContextMenuLista(const QPoint& position) {
    const bool drives = listingDrives_;
    for (QAction* action : grupoOrdem_->actions()) {
        const int order = action->data().toInt();
        action->setText(SortCaption(order, drives));
        action->setChecked(order == sortOrder_);
    }
    QWidget* origin = ActiveView()->viewport();
    MenuOrdenar->popup(origin->mapToGlobal(position));
}

void TFormEscolherArquivo::JumpToLetter(QChar letter) {
    const int row = NextEntryStartingWith(Entries(), CurrentEntry(), letter);
    if (row >= 0) SetCurrentEntry(row);
}

void TFormEscolherArquivo::OnSelectItemLista() {
    const QModelIndexList rows = ListViewArquivos->selectionModel()->selectedRows(kColumnName);
    if (rows.size() != 1 || rows[0].row() >= model_->rowCount()) return;
    const ChooserEntry& entry = Entries()[rows[0].row()];
    if (!entry.folder && !entry.drive) EditArquivo->setText(entry.name);
}

void TFormEscolherArquivo::OnActivatedLista(const QModelIndex& index) {
    if (index.isValid()) OpenEntry(index.row());
}

void TFormEscolherArquivo::OpenEntry(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const ChooserEntry entry = Entries()[row];
    if (entry.drive || entry.folder) {
        OpenFolder(entry.path);
        return;
    }
    EditArquivo->setText(entry.name);
    OnClickBotaoOK();
}

void TFormEscolherArquivo::OnClickBotaoNivelAcima() {
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

void TFormEscolherArquivo::OnClickBotaoAjuda() {
    if (setup_.showHelp) setup_.showHelp(mode_ == kChooseReading ? "FileRead" : "FileSave");
}

void TFormEscolherArquivo::OnClickBotaoLimparHistoria() {
    setup_.history.Clear();
    ComboBoxHistoria->clear();
}

void TFormEscolherArquivo::OnActivatedComboBoxHistoria(int index) {
    if (index < 0) return;
    const QFileInfo chosen(ComboBoxHistoria->itemText(index));
    if (!chosen.absoluteDir().exists()) return;
    EditArquivo->setText(chosen.fileName());
    OpenFolder(chosen.absolutePath());
}

void TFormEscolherArquivo::OnClickBotaoOK() {
    const QString text = EditArquivo->text();
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
        EditArquivo->clear();
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

bool TFormEscolherArquivo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched != ListViewArquivos &&
        watched != ListViewDetalhes) {
        ScrollListByWheel(*static_cast<QWheelEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::KeyPress &&
        (watched == ListViewArquivos || watched == ListViewDetalhes)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // The entry, not the dialog's default button, answers Enter in the list.
            const int current = CurrentEntry();
            if (current >= 0)
                OpenEntry(current);
            else
                OnClickBotaoOK();
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

void TFormEscolherArquivo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OnClickBotaoAjuda();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormEscolherArquivo::wheelEvent(QWheelEvent* event) {
    ScrollListByWheel(*event);
}

void TFormEscolherArquivo::ScrollListByWheel(QWheelEvent& event) {
    QAbstractItemView* view = ActiveView();
    QScrollBar* bar = view->verticalScrollBar();
    if (bar->maximum() <= bar->minimum()) bar = view->horizontalScrollBar();
    const QPoint delta = event.angleDelta();
    const int notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
    bar->setValue(bar->value() - notches * 3 * bar->singleStep());
    event.accept();
}

void TFormEscolherArquivo::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ShowFolderName();
}

void TFormEscolherArquivo::done(int result) {
    FileChooserState& state = setup_.state;
    state.filter = filter_;
    state.customFilter = EditFiltro->text();
    state.view = view_;
    state.sortOrder = sortOrder_;
    state.maximized = isMaximized();
    state.geometry = isMaximized() ? normalGeometry() : geometry();
    QDialog::done(result);
}

} // namespace vorpel
