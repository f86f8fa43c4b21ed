// The program's own file chooser, TFormEscolherArquivo, and ChooseFile, which opens it.
#pragma once

#include <QDialog>
#include <QRect>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "app/ListaArquivos.h"
#include "model/Context.h"

class QAbstractItemView;
class QActionGroup;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QModelIndex;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QTreeView;

namespace vorpel {

class FileListModel;

enum ChooserMode : int { kChooseReading = 0, kChooseSaving };

// Views, numbered as the Tags of their tool buttons.
enum ChooserView : int { kViewLargeIcons = 0, kViewRowList, kViewColumnList, kViewDetails };

// What the chooser keeps from one window to the next for the rest of the run, shared by both
// modes. The program owns it.
struct FileChooserState {
    int filter = kFilterAll;
    QString customFilter = QStringLiteral("*.*");
    int view = kViewDetails;
    int sortOrder = 0;
    bool maximized = false;
    QRect geometry;      // the normal geometry at the last close; empty before the first
    QString startFolder; // the program's start folder; the current folder when empty
};

// The file history of the settings store, most recent first, as names in the file system's
// encoding.
class FileHistory {
public:
    virtual ~FileHistory() = default;
    virtual std::vector<std::string> Read() = 0;
    virtual void Add(const std::string& fileName) = 0;
    virtual void Clear() = 0;
};

// What a chooser window takes from the program.
struct FileChooserSetup {
    Context& ctx; // the options, and the platform that asks the overwrite question
    FileChooserState& state;
    FileHistory& history;
    std::function<void(const std::string& topic)> showHelp; // may be empty
    QWidget* parent = nullptr;
};

// Lets the user choose a file: true on OK, with `fileName` (8-bit, in and out) the chosen file's
// full path, which also goes first into the history. On Cancel `fileName` is left as it was.
bool ChooseFile(const FileChooserSetup& setup, std::string& fileName, const std::string& title,
                ChooserMode mode);

class TFormEscolherArquivo : public QDialog {
    Q_OBJECT
public:
    // `fileName` is the current file name, whose folder the window opens in when it exists.
    TFormEscolherArquivo(const FileChooserSetup& setup, ChooserMode mode, const QString& title,
                         const QString& fileName);
    ~TFormEscolherArquivo() override;

    // The chosen file's full path once the window closed with OK.
    QString ChosenFile() const { return chosen_; }

    // The folder listed; empty while the drives are.
    QString Folder() const { return folder_; }
    bool ListingDrives() const { return listingDrives_; }
    const std::vector<ChooserEntry>& Entries() const;
    // The index in Entries() of the current entry, -1 for none.
    int CurrentEntry() const;
    void SetCurrentEntry(int row);

    void OpenFolder(const QString& folder);
    void ShowDrives();
    void SetFilter(int filter);
    void SetView(int view);
    void SetSortOrder(int order);
    int SortOrder() const { return sortOrder_; }
    // Lists the folder or the drives again, as the options now say.
    void Refresh();
    // Selects the next entry whose name begins with `letter`.
    void JumpToLetter(QChar letter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void CreateControls();
    void PlaceWindow();
    // The folder's entries, or the drives, as the filter and the options say.
    std::vector<ChooserEntry> List() const;
    // Shows `entries` sorted, with the one named `select` current.
    void ShowEntries(std::vector<ChooserEntry> entries, const QString& select);
    void ShowFolderName();
    void UpdateAttributeDisplay();
    QAbstractItemView* ActiveView() const;
    void ScrollListByWheel(QWheelEvent& event);
    void OpenEntry(int row);

    void OnClickBotaoOK();
    void OnClickBotaoNivelAcima();
    void OnClickBotaoAjuda();
    void OnClickBotaoLimparHistoria();
    void OnActivatedComboBoxHistoria(int index);
    void OnActivatedLista(const QModelIndex& index);
    void OnSelectItemLista();
    void OnClickCabecalho(int section);
    void OnContextMenuLista(const QPoint& position);
    void OnChangeEditFiltro();

    const FileChooserSetup& setup_;
    const ChooserMode mode_;
    QString folder_;
    bool listingDrives_ = false;
    int filter_ = kFilterAll;
    int view_ = kViewDetails;
    int sortOrder_ = 0;
    QString chosen_;

    FileListModel* model_ = nullptr;
    QLabel* LabelPasta = nullptr;
    QToolButton* BotaoNivelAcima = nullptr;
    QButtonGroup* grupoVisao_ = nullptr;
    QStackedWidget* pilhaVisoes_ = nullptr;
    QListView* ListViewArquivos = nullptr; // large icons, row list and column list
    QTreeView* ListViewDetalhes = nullptr; // details
    QButtonGroup* grupoFiltro_ = nullptr;
    QLineEdit* EditFiltro = nullptr;
    QLineEdit* EditArquivo = nullptr;
    QComboBox* ComboBoxHistoria = nullptr;
    QPushButton* BotaoLimparHistoria = nullptr;
    QPushButton* BotaoOK = nullptr;
    QPushButton* BotaoCancelar = nullptr;
    QPushButton* BotaoAjuda = nullptr;
    QMenu* MenuOrdenar = nullptr;
    QActionGroup* grupoOrdem_ = nullptr;
};

} // namespace vorpel
