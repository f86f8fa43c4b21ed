// The title dialog: a new title for the current level, refused when invalid and flagged when
// another level has it.
#pragma once

#include <string>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorpel {

class GameSession;
class QtPlatform;
struct RunMemory;

// What the title dialog needs of the program besides the session.
class TitleDialogHost {
public:
    virtual ~TitleDialogHost() = default;
    virtual QWidget& Widget() = 0; // the dialog's parent
    virtual QtPlatform& Platform() const = 0;
    virtual RunMemory& Memory() = 0;
};

class TitleDialog : public QDialog {
    Q_OBJECT
public:
    TitleDialog(GameSession& session, TitleDialogHost& main, std::string title);
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

    TitleDialogHost& main_;
    GameSession& session_;
    std::string titleResult_;
};

// The message that names the characters (`outside`) a title cannot hold.
QString UnheldTitleCharacters(const QString& outside);

// The "Title change ..." dialog: the edited title on OK, `title` otherwise.
std::string ChangeTitleDialog(GameSession& session, TitleDialogHost& main,
                              const std::string& title);

} // namespace vorpel
