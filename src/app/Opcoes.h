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
class QTabWidget;

namespace vorpel {

class BarraEdit;
class QtPlatform;
class VorpelIni;

enum OptionsPage : int { kPageGame = 0, kPageFile = 1, kPageEdit1 = 2, kPageEdit2 = 3 };

// "" when the startup list may be stored, otherwise the message that says why not.
std::string ValidateStartupList(const std::string& list);

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

class TFormOpcoes : public QDialog {
    Q_OBJECT
public:
    TFormOpcoes(Context& ctx, VorpelIni& ini, QtPlatform& platform, OptionsHooks hooks,
                QWidget* parent = nullptr);

    QTabWidget* PageControl;
    std::array<QCheckBox*, kOptionCount> optionBoxes{}; // CheckBox0 .. CheckBox12, then
                                                        // CheckBoxAutoAvancoAlfanumerico
    QLabel* LabelLerAoIniciar;
    QLineEdit* EditLerAoIniciar;
    QCheckBox* resumeBox;
    QPushButton* BotaoLerOpcoesJogo;
    QPushButton* BotaoLerOpcoesArquivo;
    BarraEdit* BarraEditLinhaInicial;
    BarraEdit* BarraEditColunaInicial;
    BarraEdit* BarraEditEspacoVertical;
    BarraEdit* BarraEditEspacoHorizontal;
    QCheckBox* CheckBoxMostrarGrade;
    QPushButton* BotaoPadrao;
    QCheckBox* CheckBoxJuntarBarreiras;
    QCheckBox* CheckBoxJuntarImas;
    QLineEdit* EditSemente;
    QPushButton* BotaoAleatorio;
    QPushButton* BotaoOK;
    QPushButton* BotaoCancelar;
    QPushButton* BotaoAjuda;

public Q_SLOTS:
    void done(int code) override;

private:
    void OnClickBotaoOK();
    void OnClickBotaoAleatorio();
    void OnClickBotaoPadrao();
    // Shows the option values in memory in the check boxes first to last.
    void ShowOptionValues(int first, int last);
    // Takes the grid controls into the settings and repaints where that shows.
    void OnChangeGrade(bool showsAlways);
    void RepaintEditor();
    std::uint32_t SeedValue() const;

    Context& ctx_;
    VorpelIni& ini_;
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
bool ShowOptions(int page, Context& ctx, VorpelIni& ini, QtPlatform& platform,
                 const OptionsHooks& hooks = {});

} // namespace vorpel
