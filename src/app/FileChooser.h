// The program's own file chooser, FileChooser, and ChooseFile, which opens it.
#pragma once

#include <QDialog>
#include <QMargins>
#include <QRect>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "app/FileListing.h"
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

// Views, numbered as the ids of their tool buttons.
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
    QMargins& frameMargins; // the run's memory of the window manager's frame
    std::function<void(const std::string& topic)> showHelp; // may be empty
    QWidget* parent = nullptr;
};

// Lets the user choose a file: true on OK, with `fileName` (8-bit, in and out) the chosen file's
// full path, which also goes first into the history. On Cancel `fileName` is left as it was.
bool ChooseFile(const FileChooserSetup& setup, std::string& fileName, const std::string& title,
                ChooserMode mode);

class GameSession;
class QtPlatform;
struct RunMemory;

// What the file chooser needs of the program besides the session: the chooser's state and
// history for the run, the platform for its questions and help, and the run's memory of frames.
class FileChooserHost {
public:
    virtual ~FileChooserHost() = default;
    virtual QtPlatform& Platform() const = 0;
    virtual FileChooserState& ChooserState() = 0;
    virtual FileHistory& History() = 0;
    virtual RunMemory& Memory() = 0;
};

// ChooseFile with the session's options, the program's chooser state and history, its help on
// F1, and the chooser's window over `parent`.
bool ChooseFile(GameSession& session, FileChooserHost& program, QWidget* parent,
                std::string& fileName, const std::string& title, ChooserMode mode);

// The question about a chosen name that lacks `extension`, asked only when the options ask for
// it: true when the name has the extension, the option is off, or the user answers Yes.
bool ExtensionAccepted(GameSession& session, FileChooserHost& program, const std::string& name,
                       const char* extension, const std::vector<std::string>& question);

class FileChooser : public QDialog {
    Q_OBJECT
public:
    // `fileName` is the current file name, whose folder the window opens in when it exists.
    FileChooser(const FileChooserSetup& setup, ChooserMode mode, const QString& title,
                const QString& fileName);
    ~FileChooser() override;

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
    // Sizes the views so that they show whole names.
    void FitNames();
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

    void OnOk();
    void OnFolderUp();
    void OnHelp();
    void OnClearHistory();
    void OnHistoryChosen(int index);
    void OnEntryActivated(const QModelIndex& index);
    void OnEntrySelected();
    void OnHeaderClicked(int section);
    void OnListContextMenu(const QPoint& position);
    void OnFilterEdited();

    const FileChooserSetup& setup_;
    const ChooserMode mode_;
    QString folder_;
    bool listingDrives_ = false;
    int filter_ = kFilterAll;
    int view_ = kViewDetails;
    int sortOrder_ = 0;
    QString chosen_;

    FileListModel* model_ = nullptr;
    QLabel* folderLabel = nullptr;
    QToolButton* folderUpButton = nullptr;
    QButtonGroup* viewButtons_ = nullptr;
    QStackedWidget* viewStack_ = nullptr;
    QListView* fileListView = nullptr; // large icons, row list and column list
    QTreeView* detailsView = nullptr;  // details
    QButtonGroup* filterButtons_ = nullptr;
    QLineEdit* filterEdit = nullptr;
    QLineEdit* fileNameEdit = nullptr;
    QComboBox* historyComboBox = nullptr;
    QPushButton* clearHistoryButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* helpButton = nullptr;
    QMenu* sortMenu = nullptr;
    QActionGroup* sortActions_ = nullptr;
};

} // namespace vorpel
