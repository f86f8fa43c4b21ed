// Saving: the current level in a format the user chooses, or the whole collection, through the
// file chooser, the offers a name's extension leads to and the writers.
#pragma once

#include <string>

#include <QWidget>

#include "app/FileChooser.h"

namespace vorpel {

class GameSession;
struct ShellState;
enum class SaveFormat;

// What saving needs of the program besides the session.
class LevelSaverHost : public virtual FileChooserHost {
public:
    virtual QWidget& Widget() = 0; // the file chooser's parent
    virtual ShellState& Shell() = 0;
    // The file name the read command offers next; the chosen name becomes it.
    virtual std::string& FileName() = 0;
    virtual void SetHourglass(bool on) = 0;
    virtual void RepaintAfterEdit(bool recompute) = 0;
    // The windows a ".gif" or ".dll" name is offered to.
    virtual void OpenGifExport() = 0;
    virtual void OpenSaveDll() = 0;
};

class LevelSaver {
public:
    LevelSaver(GameSession& session, LevelSaverHost& main) : main_(main), session_(session) {}

    // "Save as ...": chooses the name, then saves.
    void ChooseAndSave(SaveFormat format);
    // What the save command does with the chosen name: the offer, then the writer.
    void SaveLevelTo(SaveFormat format, const std::string& name);
    // "Save all levels as ...": chooses the name, then saves.
    void ChooseAndSaveAll();
    void SaveAllLevelsTo(const std::string& name);

private:
    LevelSaverHost& main_;
    GameSession& session_;
};

} // namespace vorpel
