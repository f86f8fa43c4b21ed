// Saving: the current level in a format the user chooses, or the whole collection, through the
// file chooser, the offers a name's extension leads to and the writers.
#pragma once

#include <string>

#include "app/ProgramWindow.h"

namespace vorpel {

enum class SaveFormat;

class LevelSaver {
public:
    explicit LevelSaver(ProgramWindow& main) : main_(main) {}

    // "Save as ...": chooses the name, then saves.
    void ChooseAndSave(SaveFormat format);
    // What the save command does with the chosen name: the offer, then the writer.
    void SaveLevelTo(SaveFormat format, const std::string& name);
    // "Save all levels as ...": chooses the name, then saves.
    void ChooseAndSaveAll();
    void SaveAllLevelsTo(const std::string& name);

private:
    ProgramWindow& main_;
};

} // namespace vorpel
