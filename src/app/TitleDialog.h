// The title dialog: a new title for the current level, refused when invalid and flagged when
// another level has it.
#pragma once

#include <string>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorpel {

class ProgramWindow;

class TitleDialog : public QDialog {
    Q_OBJECT
public:
    TitleDialog(ProgramWindow& main, std::string title);
    ~TitleDialog() override;

    QLabel* originalLabel;
    QLineEdit* nameEdit;
    QLabel* invalidLabel;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* currentTitleButton;
    QPushButton* helpButton;

    // The title handed in, or the edited one after OK.
    const std::string& Result() const { return titleResult_; }

    void done(int result) override;

private:
    void Validate();

    ProgramWindow& main_;
    std::string titleResult_;
};

// The message that names the characters (`outside`) a title cannot hold.
QString UnheldTitleCharacters(const QString& outside);

// The "Title change ..." dialog: the edited title on OK, `title` otherwise.
std::string ChangeTitleDialog(ProgramWindow& main, const std::string& title);

} // namespace vorpel
