// The save commands: the chooser in save mode, the offers a name's extension leads to, the
// writers, and "Save all levels as ...".
#include "app/LevelSaver.h"

#include "app/FileChooser.h"
#include "app/Help.h"
#include "app/MessageBox.h"
#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "app/ShellState.h"
#include "files/FileNames.h"
#include "files/GameSession.h"
#include "files/LevelText.h"
#include "files/NblFormat.h"
#include "files/SaveAll.h"
#include "files/SaveGuard.h"
#include "files/SaveOffer.h"
#include "files/SokFormat.h"
#include "model/Context.h"

namespace vorpel {

namespace {

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

FileResult Write(Context& ctx_, SaveFormat format, const std::string& name) {
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

void LevelSaver::ChooseAndSave(SaveFormat format) {
    const SaveCommandTexts& texts = SaveCommand(format);
    std::string name = main_.FileName();
    // A collection file is never offered for one of its levels: its folder is.
    if (ReadFileLevels(name).titles.size() > 1) name = name.substr(0, name.find_last_of('/') + 1);
    if (!ChooseFile(session_, main_, &main_.Widget(), name,
                    FormatOne(texts.chooserTitle, session_.Data().CurrentLevel().title),
                    kChooseSaving))
        return;
    main_.FileName() = name;
    SaveLevelTo(format, name);
}

void LevelSaver::SaveLevelTo(SaveFormat format, const std::string& name) {
    SaveFormat writeAs = format;
    const SaveOffer offer =
        ChooseSaveOffer(format, name, session_.Data().options[kConfirmNonStandardExtension]);
    if (offer.kind != SaveOfferKind::kNone) {
        bool repeat = false;
        const Choice choice = main_.Platform().AskChoice(offer.lines, offer.firstButton,
                                                         offer.secondButton, "", false, repeat);
        if (choice == kChoiceCancel) return;
        if (choice == kChoiceSecond) {
            switch (offer.kind) {
            case SaveOfferKind::kGif:
                main_.Memory().gif.fileName = name;
                main_.OpenGifExport();
                return;
            case SaveOfferKind::kDll:
                main_.OpenSaveDll();
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
    const Level& level = session_.Data().CurrentLevel();
    if (!MayReplace(main_.Platform(), name, {level.title}, writeAs,
                    FormatLoses(writeAs, level, name)))
        return;
    if (const FileResult written = Write(session_.Data(), writeAs, name); !written.Ok())
        main_.Platform().ShowInfo(SplitLines(written.message));
    main_.RepaintAfterEdit(false);
}

void LevelSaver::ChooseAndSaveAll() {
    const CommandGuard guard(main_.Shell().commandRunning);
    if (!guard.Held() || main_.Shell().commandsBlocked || session_.Data().editing) return;
    std::string name = main_.FileName();
    if (!ChooseFile(session_, main_, &main_.Widget(), name, kSaveAllTitle, kChooseSaving)) return;
    main_.FileName() = name;
    SaveAllLevelsTo(name);
}

void LevelSaver::SaveAllLevelsTo(const std::string& name) {
    const bool sok = SavesAllAsSok(name);
    std::vector<std::string> lossy;
    if (sok) {
        lossy = SokLossyTitles(session_.Data().collection);
        if (!lossy.empty()) {
            // The question before the list, which may be long.
            std::vector<std::string> lines = {kSokLossIntro, kGoOnQuestion};
            for (std::size_t i = 0; i < lossy.size() && i < kNamedLossyLevels; ++i)
                lines.push_back("\"" + lossy[i] + "\"");
            if (lossy.size() > kNamedLossyLevels)
                lines.push_back("and " + std::to_string(lossy.size() - kNamedLossyLevels) +
                                " more.");
            if (!main_.Platform().AskYesNoDefaultNo(lines)) return;
        }
    }
    std::vector<std::string> titles;
    for (const Level& level : session_.Data().collection.levels) titles.push_back(level.title);
    if (!MayReplace(main_.Platform(), name, titles, sok ? SaveFormat::kSok : SaveFormat::kOwnText,
                    !lossy.empty()))
        return;
    main_.SetHourglass(true);
    const FileResult written = WriteAllLevels(session_.Data().collection, name);
    main_.SetHourglass(false);
    if (!written.Ok()) main_.Platform().ShowInfo({"File " + name + ".", written.message});
}

} // namespace vorpel
