// The colour chooser of round blocks and marks: the 32 round colours in a grid of 8 by 4.
#pragma once

#include <QDialog>
#include <QString>

#include "model/Kinds.h"

class QTableWidget;

namespace vorpel {

struct RunMemory;

class ColourChooser : public QDialog {
    Q_OBJECT

public:
    // Opens on the colour of `roundChar`, where `memory` says it was last left.
    ColourChooser(QWidget* parent, const QString& title, Byte roundChar, RunMemory& memory);

    // The round character of the selected grid cell.
    Byte Chosen() const { return chosen_; }
    // Selects round colour 0..31, as a click on its cell does.
    void SelectColour(int colour);

    QTableWidget* colourGrid = nullptr;

protected:
    void done(int result) override;

private:
    Byte chosen_;
    RunMemory& memory_;
};

// Lets the user choose the round colour; true with `roundChar` changed when accepted.
bool ChooseRoundColour(QWidget* parent, const QString& title, Byte& roundChar, RunMemory& memory);

} // namespace vorpel
