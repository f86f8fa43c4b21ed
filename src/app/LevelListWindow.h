// The level list and scoreboard: every level with its best solution and record, sorted on any
// column, searched by title, browsed live on the main window and scored.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QDialog>
#include <QImage>
#include <QPixmap>

#include "files/LevelList.h"
#include "render/Thumbnails.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace vorpel {

class CompanionFiles;
class GameSession;
class QtPlatform;
struct RunMemory;

// What the level list needs of the program.
class LevelListHost {
public:
    virtual ~LevelListHost() = default;
    virtual QWidget& Widget() = 0; // the window's parent
    virtual QtPlatform& Platform() const = 0;
    virtual RunMemory& Memory() = 0;
    // The records file beside the program.
    virtual const CompanionFiles& Companions() const = 0;
    // Makes the level at `index` current and shows it.
    virtual void ChooseLevel(int index, bool recompute = true) = 0;
};

// The column of the levels' pictures, after the core's columns (the view shows it first).
inline constexpr int kPictureColumn = kLevelColumnCount;
// The box a level's picture is fitted into, in pixels on each side.
inline constexpr int kPictureBox = 48;

// The rows as a table for the view; the order and texts come from the core. A level's picture is
// drawn when the view first asks for it (only rows in view are asked) and kept in `thumbnails`.
class LevelListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LevelListModel(QObject* parent = nullptr);

    std::vector<LevelRow> rows;
    std::string decimalSeparator = ".";
    int sortColumn = 1;
    int direction = 1;
    // The collection the rows stand for; without it the rows have no pictures.
    const std::vector<Level>* levels = nullptr;
    mutable ThumbnailCache thumbnails;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The picture of the level in `row` (fitted into kPictureBox), null when there is none.
    QImage Picture(int row) const;
    // The cell size the picture of `level` is drawn at.
    static int PictureCellSize(const Level& level);

    // Replaces the rows (forgetting the pictures), or sorts them on `column` in `direction`.
    void SetRows(std::vector<LevelRow> newRows);
    void Sort(int column, int newDirection);
    // The row of level number `number`; -1 when none.
    int RowOfNumber(int number) const;

    // The six row pictures, the two header arrows, and the marks of an unsolved, a solved and a
    // beaten level.
    static const std::array<QPixmap, 11>& Pictures();
};

class LevelListWindow : public QDialog {
    Q_OBJECT
public:
    // Builds, sorts and selects the rows (showing the remembered level on the main window).
    LevelListWindow(GameSession& session, LevelListHost& main);

    QLabel* searchLabel;
    QLineEdit* searchEdit;
    QPushButton* searchUpButton;
    QPushButton* searchDownButton;
    QTableView* levelTable;
    QPushButton* currentLevelButton;
    QPushButton* helpButton;
    QPushButton* cancelButton;
    QCheckBox* keepSelectedCheckBox;
    QCheckBox* scoreCheckBox;
    QPushButton* goButton;
    QLabel* levelsToScoreLabel;
    QSpinBox* levelsToScoreEdit;
    QLabel* scoreLabel;

    LevelListModel& Model() { return *model_; }
    // The selected row, -1 when none.
    int SelectedRow() const;
    // Selects a row so that it ends up near the top, showing its level on the main window.
    void SelectRow(int row);
    void SortOn(int column);
    void Search(bool down);
    void GoToSelectedLevel();
    void SelectStartingLevel();
    void SetScoreColumns(bool on);

    // The level the main window changes to: the chosen one, or the starting one.
    int Result() const { return chosen_ >= 0 ? chosen_ : starting_; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QModelIndex RowIndex(int row) const;
    void OnRowSelected(int row);
    void UpdateScore();
    void Sort(int column, int direction);

    GameSession& session_;
    LevelListHost& main_;
    LevelListModel* model_;
    int starting_ = 0;
    int chosen_ = -1;
    bool live_ = true;
    int wheelRest_ = 0;
};

// The "Level list - Scoreboard ..." command: the index of the level to change to.
int ChooseLevelFromList(GameSession& session, LevelListHost& main);

} // namespace vorpel
