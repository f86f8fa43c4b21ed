// The program's own message box: messages, yes/no questions and choices picked by their letters.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "model/Platform.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace vorpel {

class QtPlatform;

inline constexpr const char* kAboutLink = "https://ostavin.example/vorpel/";

class MessageBox : public QDialog {
    Q_OBJECT
public:
    MessageBox(QtPlatform& platform, QWidget* parent);

    // What the entry operation asks for; set before Execute.
    bool BoxTwoButtons = false;
    bool BoxThreeButtons = false;
    bool BoxWithRepeat = false;
    bool BoxWithLink = false;
    // The second button (No) is the default: Enter and the first focus go to it.
    bool BoxSecondDefault = false;

    // Builds the box with the message lines and the captions (`second` and `third` only where
    // the mode shows them), shows it modally at the remembered position and returns the
    // button that closed it; Esc and closing the window give Cancel.
    Choice Execute(const std::vector<std::string>& lines, const std::string& first,
                   const std::string& second = {}, const std::string& third = {});

    QTextEdit* textEdit;
    QPushButton* yesButton;
    QPushButton* noButton;
    QPushButton* cancelButton;
    QPushButton* thirdButton;
    QCheckBox* repeatCheckBox;
    QLabel* linkLabel;

    // BoxRepeatOn: the check box as the user left it.
    bool RepeatOn() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public Q_SLOTS:
    void done(int code) override;

private:
    // The key preview: true when the key picked a button.
    bool OnKeyPress(const QKeyEvent& event);
    void Answer(Choice choice);
    // Grows the box to show the whole text, up to the screen's work area; a question at the end
    // of a text still too long moves up under the first line, so it is seen first.
    void FitText(QStringList paragraphs);
    QPushButton* DefaultButton() const;

    QtPlatform& platform_;
    Choice result_ = kChoiceCancel;
};

// The entry operations; QtPlatform's message functions come here.
void ShowInfo(QtPlatform& platform, const std::vector<std::string>& lines);
// With `noByDefault` Enter and the focus mean No: for questions whose Yes loses data.
bool AskYesNo(QtPlatform& platform, const std::vector<std::string>& lines,
              bool noByDefault = false);
Choice AskChoice(QtPlatform& platform, const std::vector<std::string>& lines,
                 const std::string& first, const std::string& second, const std::string& third,
                 bool withRepeat, bool& repeat);
void ShowAbout(QtPlatform& platform);

// The lines of a message text: split at LF, CRs dropped.
std::vector<std::string> SplitMessage(const std::string& text);

} // namespace vorpel
