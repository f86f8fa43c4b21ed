// The program's own message box: messages, yes/no questions and choices picked by their letters.
#include "app/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

#include "app/QtPlatform.h"

namespace vorpel {

namespace {

// The caption with its first letter as accelerator; an "&" inside it stays a plain character.
QString AcceleratorCaption(const std::string& caption) {
    QString text = DisplayText(caption);
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QLatin1Char('&') + text;
}

// The upper-cased character after the accelerator mark, or none.
QChar Accelerator(const QPushButton& button) {
    const QString caption = button.text();
    const qsizetype mark = caption.indexOf(QLatin1Char('&'));
    if (mark < 0 || mark + 1 >= caption.size()) return {};
    return caption[mark + 1].toUpper();
}

QPushButton* MakeButton(QWidget* parent, const char* name, int top) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(368, top, 77, 33);
    // Enter always means the primary button, whichever has the focus.
    button->setAutoDefault(false);
    return button;
}

// The work area of the screen the box opens on, less room for the window manager's frame.
QRect MessageBoxArea(const QWidget& box) {
    const QScreen* screen =
        box.screen() != nullptr ? box.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return {0, 0, 1024, 768};
    return screen->availableGeometry().adjusted(0, 0, -16, -48);
}

} // namespace

MessageBox::MessageBox(QtPlatform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    setObjectName(QLatin1String("MessageBox"));
    setWindowTitle(platform.boxCaption);
    setFixedSize(465, 200);

    textEdit = new QTextEdit(this);
    textEdit->setObjectName(QLatin1String("textEdit"));
    textEdit->setGeometry(8, 10, 349, 145);
    textEdit->setReadOnly(true);
    textEdit->setFrameShape(QFrame::NoFrame);
    textEdit->setFocusPolicy(Qt::NoFocus);
    textEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette face = textEdit->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    textEdit->setPalette(face);

    yesButton = MakeButton(this, "yesButton", 124);
    yesButton->setDefault(true);
    noButton = MakeButton(this, "noButton", 86);
    cancelButton = MakeButton(this, "cancelButton", 48);
    cancelButton->setText(QLatin1String("Cancel"));
    thirdButton = MakeButton(this, "thirdButton", 10);
    noButton->hide();
    cancelButton->hide();
    thirdButton->hide();

    repeatCheckBox = new QCheckBox(QLatin1String("Repeat the answer next time"), this);
    repeatCheckBox->setObjectName(QLatin1String("repeatCheckBox"));
    repeatCheckBox->setGeometry(8, 142, 349, 17);
    repeatCheckBox->hide();

    linkLabel = new QLabel(this);
    linkLabel->setObjectName(QLatin1String("linkLabel"));
    linkLabel->move(8, 142);
    linkLabel->setCursor(Qt::PointingHandCursor);
    linkLabel->setTextFormat(Qt::RichText);
    linkLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    linkLabel->hide();
    connect(linkLabel, &QLabel::linkActivated, this,
            [this](const QString& link) { platform_.OpenUrl(QUrl(link)); });

    connect(yesButton, &QPushButton::clicked, this, [this] { Answer(kChoiceFirst); });
    connect(noButton, &QPushButton::clicked, this, [this] { Answer(kChoiceSecond); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { Answer(kChoiceCancel); });
    connect(thirdButton, &QPushButton::clicked, this, [this] { Answer(kChoiceThird); });

    // The key preview: letters reach the box wherever the focus is.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool MessageBox::RepeatOn() const {
    return repeatCheckBox->isChecked();
}

Choice MessageBox::Execute(const std::vector<std::string>& lines, const std::string& first,
                           const std::string& second, const std::string& third) {
    MoveOntoScreen(*this, platform_.memory.messageBoxPosition, platform_.memory.frameMargins);
    yesButton->setText(AcceleratorCaption(first));
    if (BoxThreeButtons) {
        cancelButton->show();
        noButton->setText(AcceleratorCaption(second));
        noButton->show();
        if (!third.empty()) {
            thirdButton->setText(AcceleratorCaption(third));
            thirdButton->show();
        }
    } else if (BoxTwoButtons) {
        noButton->setText(AcceleratorCaption(second));
        noButton->show();
    }

    QStringList paragraphs;
    for (const std::string& line : lines) paragraphs << DisplayText(line);

    if (BoxWithRepeat) {
        textEdit->resize(textEdit->width(), repeatCheckBox->y() - 8 - textEdit->y());
        repeatCheckBox->show();
    } else if (BoxWithLink) {
        const QString link = QLatin1String(kAboutLink);
        linkLabel->setText(QLatin1String("<a href=\"%1\">%1</a>").arg(link));
        linkLabel->adjustSize();
        textEdit->resize(textEdit->width(), linkLabel->y() - textEdit->y());
        linkLabel->show();
    }
    FitText(paragraphs);
    if (BoxSecondDefault && !noButton->isHidden()) {
        yesButton->setDefault(false);
        noButton->setDefault(true);
    }
    DefaultButton()->setFocus();

    result_ = kChoiceCancel;
    if (platform_.script) {
        platform_.script->shown.push_back(lines);
        BoxAnswer answer;
        if (!platform_.script->answers.empty()) {
            answer = platform_.script->answers.front();
            platform_.script->answers.pop_front();
        }
        show();
        if (BoxWithRepeat) repeatCheckBox->setChecked(answer.repeat);
        const QChar typed = QLatin1Char(answer.key);
        int key = typed.toUpper().unicode();
        if (answer.key == '\r') key = Qt::Key_Return;
        if (answer.key == '\x1b') key = Qt::Key_Escape;
        const QString text(typed);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QWidget* target = focusWidget() != nullptr ? focusWidget() : this;
        QApplication::sendEvent(target, &press);
        // A key that picked nothing would leave a person looking at the box; a script closes it.
        if (isVisible()) done(QDialog::Rejected);
    } else {
        exec();
    }
    return result_;
}

QPushButton* MessageBox::DefaultButton() const {
    return noButton->isDefault() ? noButton : yesButton;
}

void MessageBox::FitText(QStringList paragraphs) {
    const QRect area = MessageBoxArea(*this);
    const int chrome = height() - textEdit->height();
    const int widest = std::max(textEdit->width(), area.width() - (width() - textEdit->width()));
    const auto textHeight = [this](int textWidth) {
        QTextDocument& document = *textEdit->document();
        document.setTextWidth(textWidth - 2 * textEdit->frameWidth());
        return static_cast<int>(document.size().height()) + 2 * textEdit->frameWidth() + 2;
    };
    textEdit->setPlainText(paragraphs.join(QLatin1Char('\n')));
    // First taller, then wider: a box keeps its shape as long as the screen allows.
    int textWidth = textEdit->width();
    const int tallest = area.height() - chrome;
    while (textHeight(textWidth) > tallest && textWidth < widest)
        textWidth = std::min(widest, textWidth + textWidth / 2);
    const int needed = textHeight(textWidth);
    if (needed > tallest && paragraphs.size() > 2 && paragraphs.back().endsWith(u'?')) {
        paragraphs.insert(1, paragraphs.takeLast());
        textEdit->setPlainText(paragraphs.join(QLatin1Char('\n')));
    }
    const int shown = std::clamp(needed, textEdit->height(), std::max(tallest, textEdit->height()));
    const int grownBy = textWidth - textEdit->width();
    const int tallerBy = shown - textEdit->height();
    setFixedSize(width() + grownBy, height() + tallerBy);
    textEdit->resize(textWidth, shown);
    for (QPushButton* button : {yesButton, noButton, cancelButton, thirdButton})
        button->move(button->x() + grownBy, button->y() + tallerBy);
    for (QWidget* below : {static_cast<QWidget*>(repeatCheckBox), static_cast<QWidget*>(linkLabel)})
        below->move(below->x(), below->y() + tallerBy);
    textEdit->setVerticalScrollBarPolicy(needed > shown ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
    MoveOntoScreen(*this, pos(), platform_.memory.frameMargins);
}

void MessageBox::Answer(Choice choice) {
    result_ = choice;
    done(QDialog::Accepted);
}

void MessageBox::done(int code) {
    platform_.memory.messageBoxPosition = pos();
    QDialog::done(code);
}

bool MessageBox::OnKeyPress(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        DefaultButton()->click();
        return true;
    }
    const QString text = event.text();
    if (!text.isEmpty()) {
        const QChar typed = text[0].toUpper();
        if (typed == Accelerator(*yesButton)) {
            yesButton->click();
            return true;
        }
        if (!noButton->isHidden() && typed == Accelerator(*noButton)) {
            noButton->click();
            return true;
        }
        if (!thirdButton->isHidden() && typed == Accelerator(*thirdButton)) {
            thirdButton->click();
            return true;
        }
    }
    if (event.key() == Qt::Key_Escape) {
        cancelButton->click();
        return true;
    }
    return false;
}

bool MessageBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && OnKeyPress(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void MessageBox::keyPressEvent(QKeyEvent* event) {
    if (!OnKeyPress(*event)) QDialog::keyPressEvent(event);
}

void ShowInfo(QtPlatform& platform, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (line.empty()) return;
    MessageBox box(platform, platform.window);
    box.Execute(lines, "Seen");
}

bool AskYesNo(QtPlatform& platform, const std::vector<std::string>& lines, bool noByDefault) {
    MessageBox box(platform, platform.window);
    box.BoxTwoButtons = true;
    box.BoxSecondDefault = noByDefault;
    return box.Execute(lines, "Yes", "No") == kChoiceFirst;
}

Choice AskChoice(QtPlatform& platform, const std::vector<std::string>& lines,
                 const std::string& first, const std::string& second, const std::string& third,
                 bool withRepeat, bool& repeat) {
    MessageBox box(platform, platform.window);
    box.BoxThreeButtons = true;
    box.BoxWithRepeat = withRepeat;
    const Choice choice = box.Execute(lines, first, second, third);
    repeat = box.RepeatOn();
    return choice;
}

void ShowAbout(QtPlatform& platform) {
    MessageBox box(platform, platform.window);
    box.BoxWithLink = true;
    box.Execute({"Program to play and edit sliding block puzzles and Sokoban levels.",
                 "Version 7.02.", "Written by the Ostavin team.",
                 "Click on the link below to visit the Internet page:"},
                "Seen");
}

std::vector<std::string> SplitMessage(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

} // namespace vorpel
