// The options window: the stored options, the startup list and the settings kept for the run.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include <QDialog>

#include "model/Context.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;

namespace vorpel {

class SliderField;
class QtPlatform;
class SettingsStore;

enum OptionsPage : int { kPageGame = 0, kPageFile = 1, kPageEdit1 = 2, kPageEdit2 = 3 };

// "" when the startup list may be stored, otherwise the message that says why not.
std::string ValidateStartupList(const std::string& list);

// The message OK shows for a seed field that holds no number from 1 to 2^32 - 1.
inline constexpr const char* kSeedRefused =
    "The random-number seed must be a number from 1 to 4294967295.";

// The seed typed in the field: true with `seed` set when it is a number from 1 to 2^32 - 1.
bool ParseSeed(const std::string& text, std::uint32_t& seed);

// The next value of the shuffles' linear congruential generator.
constexpr std::uint32_t NextSeed(std::uint32_t seed) {
    return seed * 134775813u + 1u;
}

// What the options window asks of the windows around it.
struct OptionsHooks {
    // Repaints the board while the editor is open, after a grid or join setting changed.
    std::function<void()> repaintEditor;
    // After OK: the main window sets its zoom items and the "Marks over blocks" tick.
    std::function<void()> applyOptions;
};

class OptionsWindow : public QDialog {
    Q_OBJECT
public:
    OptionsWindow(Context& ctx, SettingsStore& settingsStore, QtPlatform& platform,
                  OptionsHooks hooks, QWidget* parent = nullptr);

    QTabWidget* pageTabs;
    std::array<QCheckBox*, kOptionCount> optionBoxes{}; // one per OptionIndex, in its order
    QLabel* startupListLabel;
    QLineEdit* startupListEdit;
    QCheckBox* resumeBox;
    QCheckBox* fewestPushesBox; // Sokoban best solutions by pushes first
    QSlider* replaySpeedSlider; // slow to fast (ReplaySpeed.h)
    QLabel* replaySpeedLabel;   // says the speed in words
    QPushButton* readGameOptionsButton;
    QPushButton* readFileOptionsButton;
    SliderField* firstRowSlider;
    SliderField* firstColumnSlider;
    SliderField* verticalSpacingSlider;
    SliderField* horizontalSpacingSlider;
    QCheckBox* showGridCheckBox;
    QPushButton* defaultsButton;
    QCheckBox* joinBarriersCheckBox;
    QCheckBox* joinMagnetsCheckBox;
    QLineEdit* seedEdit;
    QPushButton* randomSeedButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* helpButton;

public Q_SLOTS:
    void done(int code) override;

private:
    void OnOk();
    void OnRandomSeed();
    void OnDefaults();
    // Shows the option values in memory in the check boxes first to last.
    void ShowOptionValues(int first, int last);
    // Takes the grid controls into the settings and repaints where that shows.
    void OnGridShownChanged(bool showsAlways);
    void RepaintEditor();
    std::uint32_t SeedValue() const;

    Context& ctx_;
    SettingsStore& settingsStore_;
    QtPlatform& platform_;
    OptionsHooks hooks_;
    // What Cancel gives back.
    EditorGrid savedGrid_;
    bool savedJoinBarriers_;
    bool savedJoinMagnets_;
    // Set while the controls are being filled, so that filling them changes nothing.
    bool filling_ = false;
};

// Opens the options window on `page`; true when it was closed with OK.
bool ShowOptions(int page, Context& ctx, SettingsStore& settingsStore, QtPlatform& platform,
                 const OptionsHooks& hooks = {});

} // namespace vorpel
