// The GIF export window: writes the current level as a GIF image or animation, frame by frame
// from the board canvas, while the main window waits.
#pragma once

#include <array>
#include <functional>

#include <QWidget>

#include "app/BoardView.h"
#include "app/FileChooser.h"

#include "render/GifExport.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace vorpel {

class SliderField;
class BoardView;
class GameSession;
struct ShellState;

// What the GIF export window needs of the program besides the session.
class GifExportHost : public virtual FileChooserHost {
public:
    virtual QWidget& Widget() = 0; // the window's owner
    virtual ShellState& Shell() = 0;
    // The board view, whose canvas the frames are drawn in.
    virtual BoardView& Board() const = 0;
    virtual void SetBusy(bool menusOffValue, bool commandsBlockedValue,
                         bool paintSuppressedValue) = 0;
    // The window reports the image size through this while it is open.
    virtual void SetGifImageSizeReport(std::function<void(int, int, bool)> report) = 0;
    // Shows the options window at `page`; true when the options were accepted.
    virtual bool ShowOptionsWindow(int page) = 0;
    virtual void UpdateCellSize(CellSizing sizing) = 0;
};

class GifExportWindow : public QWidget {
    Q_OBJECT

public:
    GifExportWindow(GameSession& session, GifExportHost& main);

    // The board's pixel size and whether a recording may start; the main window calls it
    // whenever the size changes.
    void ShowGifImageSize(int width, int height, bool writingAllowed);

    std::array<QRadioButton*, 4> whatButtons{};
    SliderField* stepTimeField = nullptr;
    QCheckBox* loopBox = nullptr;
    QLabel* widthLabel = nullptr;
    QLabel* heightLabel = nullptr;
    QLabel* framesLabel = nullptr;
    QLabel* speedLabel = nullptr;
    QLabel* totalTimeLabel = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* writeButton = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* helpButton = nullptr;
    QPushButton* optionsButton = nullptr;

    // Records into `path` without asking for a name (the Write button asks first).
    void Record(const std::string& path);
    bool Recording() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The settings kept for the run.
    GifExportSettings& Settings();
    void OnClickWrite();
    void OnClickStop();
    void OnClickOptions();
    void TakeSettings();
    void ShowFrames();
    void EnableControls(bool recording);

    GifExportHost& main_;
    GameSession& session_;
    int frameCount_ = 1;
    bool writingAllowed_ = true;
    bool closeRequested_ = false;
};

// Opens the GIF export window unless it is open already.
void ShowGifExportWindow(GameSession& session, GifExportHost& main);

} // namespace vorpel
