// The main window's save commands: the chooser in save mode, the offers a name's extension
// leads to, the writers, and "Save all levels as ...".
#include <QAction>
#include <QMenu>

#include "app/MainWindow.h"
#include "app/MessageBox.h"
#include "app/QtPlatform.h"
#include "files/FileNames.h"
#include "files/LevelText.h"
#include "files/NblFormat.h"
#include "files/SaveAll.h"
#include "files/SaveGuard.h"
#include "files/SaveOffer.h"
#include "files/SokFormat.h"

namespace vorpel {

namespace {

constexpr const char* kSaveAllCaption = "Save all levels as ...";
constexpr const char* kSaveAllTitle = "Saving all levels";
constexpr const char* kSokLossIntro =
    "The SOK format holds walls, boxes, goals and the player only. In these levels other blocks "
    "and marks will be written as floor or wall:";
constexpr const char* kGoOnQuestion = "Save anyway?";
constexpr std::size_t kNamedLossyLevels = 10;

// What the format would not keep of a level.
bool FormatLoses(SaveFormat format, const Level& level, const std::string& name) {
    switch (format) {
    case SaveFormat::kSok:
        return !SokLosses(level, SokTitleFirst(name)).empty();
    case SaveFormat::kNbl:
        return !NblLosses(level).empty();
    default:
        return !LevelTextLosses(level).empty();
    }
}

// A save that replaces a file holding levels it would not write back asks first, whatever the
// options say; No is the default.
bool MayReplace(Platform& platform, const std::string& name, const std::vector<std::string>& titles,
                SaveFormat format, bool formatLoses) {
    const std::vector<std::string> lost =
        LevelsLostBySave(ReadFileLevels(name), titles, format, formatLoses);
    return lost.empty() || platform.AskYesNoDefaultNo(ReplaceQuestion(name, lost));
}

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
    // A collection file is never offered for one of its levels: its folder is.
    if (ReadFileLevels(name).titles.size() > 1) name = name.substr(0, name.find_last_of('/') + 1);
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
    const Level& level = ctx_.CurrentLevel();
    if (!MayReplace(platform_, name, {level.title}, writeAs, FormatLoses(writeAs, level, name)))
        return;
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
    const bool sok = SavesAllAsSok(name);
    std::vector<std::string> lossy;
    if (sok) {
        lossy = SokLossyTitles(ctx_.collection);
        if (!lossy.empty()) {
            // The question before the list, which may be long.
            std::vector<std::string> lines = {kSokLossIntro, kGoOnQuestion};
            for (std::size_t i = 0; i < lossy.size() && i < kNamedLossyLevels; ++i)
                lines.push_back("\"" + lossy[i] + "\"");
            if (lossy.size() > kNamedLossyLevels)
                lines.push_back("and " + std::to_string(lossy.size() - kNamedLossyLevels) +
                                " more.");
            if (!platform_.AskYesNoDefaultNo(lines)) return;
        }
    }
    std::vector<std::string> titles;
    for (const Level& level : ctx_.collection.levels) titles.push_back(level.title);
    if (!MayReplace(platform_, name, titles, sok ? SaveFormat::kSok : SaveFormat::kOwnText,
                    !lossy.empty()))
        return;
    SetHourglass(true);
    const std::string error = WriteAllLevels(ctx_.collection, name);
    SetHourglass(false);
    if (!error.empty()) platform_.ShowInfo({"File " + name + ".", error});
}

void MainWindow::AddSaveAllItem() {
    QMenu* files = topMenus_[0];
    // After "Save as SOK ...", the other saves of the level text.
    QAction* before = MenuItem(Command::SaveNbl);
    saveAllAction_ = new QAction(QString::fromLatin1(kSaveAllCaption), files);
    saveAllAction_->setObjectName(QStringLiteral("saveAllAction"));
    files->insertAction(before, saveAllAction_);
    connect(saveAllAction_, &QAction::triggered, this, [this] { SaveAllLevelsCommand(); });
}

} // namespace vorpel
