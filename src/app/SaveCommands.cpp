// The main window's save commands: the chooser in save mode, the offers a name's extension
// leads to, the writers, and "Save all levels as ...".
#include <QAction>
#include <QMenu>

#include "app/BricksMovesDialog.h"
#include "app/GifExportWindow.h"
#include "app/MainWindow.h"
#include "app/MessageBox.h"
#include "app/QtPlatform.h"
#include "app/SaveDllDialog.h"
#include "files/FileNames.h"
#include "files/LevelText.h"
#include "files/NblFormat.h"
#include "files/SaveAll.h"
#include "files/SaveOffer.h"
#include "files/SokFormat.h"

namespace vorpel {

namespace {

constexpr const char* kSaveAllTitle = "Saving all levels";
constexpr const char* kSokLossIntro =
    "The SOK format holds walls, boxes, goals and the player only. In these levels other blocks "
    "and marks will be written as floor or wall:";
constexpr const char* kGoOnQuestion = "Save anyway?";
constexpr std::size_t kNamedLossyLevels = 10;

std::string Write(Context& ctx_, SaveFormat format, const std::string& name) {
    switch (format) {
    case SaveFormat::kSok:
        return WriteSokLevel(ctx_, name);
    case SaveFormat::kNbl:
        return WriteNblFile(ctx_, name);
    default:
        return WriteLevelText(ctx_, name);
    }
}

} // namespace

void MainWindow::SaveLevelAs(SaveFormat format) {
    const SaveCommandTexts& texts = SaveCommand(format);
    std::string name = fileName_;
    if (!ChooseFile(FileChooserSetup{ctx_, chooserState_, history_,
                                     [this](const std::string& topic) { ShowHelpTopic(topic); },
                                     this},
                    name, FormatOne(texts.chooserTitle, ctx_.CurrentLevel().title), kChooseSaving))
        return;
    fileName_ = name;
    SaveLevelTo(format, name);
}

void MainWindow::SaveLevelTo(SaveFormat format, const std::string& name) {
    SaveFormat writeAs = format;
    const SaveOffer offer =
        ChooseSaveOffer(format, name, ctx_.options[kConfirmNonStandardExtension]);
    if (offer.kind != SaveOfferKind::kNone) {
        bool repeat = false;
        const Choice choice = platform_.AskChoice(offer.lines, offer.firstButton,
                                                  offer.secondButton, "", false, repeat);
        if (choice == kChoiceCancel) return;
        if (choice == kChoiceSecond) {
            switch (offer.kind) {
            case SaveOfferKind::kGif:
                memory_.gif.fileName = name;
                OpenGifExportWindow();
                return;
            case SaveOfferKind::kDll:
                OpenSaveDllDialog();
                return;
            case SaveOfferKind::kSok:
                writeAs = SaveFormat::kSok;
                break;
            case SaveOfferKind::kNbl:
                writeAs = SaveFormat::kNbl;
                break;
            default:
                writeAs = SaveFormat::kOwnText;
                break;
            }
        }
    }
    if (const std::string error = Write(ctx_, writeAs, name); !error.empty())
        platform_.ShowInfo(SplitLines(error));
    RepaintAfterEdit(false);
}

void MainWindow::SaveAllLevelsCommand() {
    const CommandGuard guard(shell_.commandRunning);
    if (!guard.Held() || shell_.commandsBlocked || ctx_.editing) return;
    std::string name = fileName_;
    if (!ChooseFile(FileChooserSetup{ctx_, chooserState_, history_,
                                     [this](const std::string& topic) { ShowHelpTopic(topic); },
                                     this},
                    name, kSaveAllTitle, kChooseSaving))
        return;
    fileName_ = name;
    SaveAllLevelsTo(name);
}

void MainWindow::SaveAllLevelsTo(const std::string& name) {
    if (SavesAllAsSok(name)) {
        const std::vector<std::string> lossy = SokLossyTitles(ctx_.collection);
        if (!lossy.empty()) {
            std::vector<std::string> lines = {kSokLossIntro};
            for (std::size_t i = 0; i < lossy.size() && i < kNamedLossyLevels; ++i)
                lines.push_back("\"" + lossy[i] + "\"");
            if (lossy.size() > kNamedLossyLevels)
                lines.push_back("and " + std::to_string(lossy.size() - kNamedLossyLevels) +
                                " more.");
            lines.push_back(kGoOnQuestion);
            if (!platform_.AskYesNo(lines)) return;
        }
    }
    SetHourglass(true);
    const std::string error = WriteAllLevels(ctx_.collection, name);
    SetHourglass(false);
    if (!error.empty()) platform_.ShowInfo({"File " + name + ".", error});
}

void MainWindow::OpenBricksMovesDialog(bool writing) {
    BricksMovesDialog dialog(*this, writing);
    dialog.exec();
}

void MainWindow::OpenGifExportWindow() {
    if (memory_.gif.window) return;
    auto* window = new GifExportWindow(*this);
    memory_.gif.window = window;
    window->show();
}

void MainWindow::OpenSaveDllDialog() {
    SaveDllDialog dialog(*this);
    dialog.exec();
}

} // namespace vorpel
