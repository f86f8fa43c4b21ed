// The program's own message box: messages, yes/no questions and choices picked by their letters.
#include "app/CaixMens.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

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

} // namespace

TCaixaMensagem::TCaixaMensagem(QtPlatform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    setObjectName(QLatin1String("TCaixaMensagem"));
    setWindowTitle(platform.boxCaption);
    setFixedSize(465, 200);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QLatin1String("RichEdit1"));
    RichEdit1->setGeometry(8, 10, 349, 145);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette face = RichEdit1->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    RichEdit1->setPalette(face);

    BotaoSim = MakeButton(this, "BotaoSim", 124);
    BotaoSim->setDefault(true);
    BotaoNao = MakeButton(this, "BotaoNao", 86);
    BotaoCancelar = MakeButton(this, "BotaoCancelar", 48);
    BotaoCancelar->setText(QLatin1String("Cancel"));
    BotaoR = MakeButton(this, "BotaoR", 10);
    BotaoNao->hide();
    BotaoCancelar->hide();
    BotaoR->hide();

    CheckBoxRepeticao = new QCheckBox(QLatin1String("Repeat the answer next time"), this);
    CheckBoxRepeticao->setObjectName(QLatin1String("CheckBoxRepeticao"));
    CheckBoxRepeticao->setGeometry(8, 142, 349, 17);
    CheckBoxRepeticao->hide();

    LabelLink = new QLabel(this);
    LabelLink->setObjectName(QLatin1String("LabelLink"));
    LabelLink->move(8, 142);
    LabelLink->setCursor(Qt::PointingHandCursor);
    LabelLink->setTextFormat(Qt::RichText);
    LabelLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    LabelLink->hide();
    connect(LabelLink, &QLabel::linkActivated, this,
            [this](const QString& link) { platform_.OpenUrl(QUrl(link)); });

    connect(BotaoSim, &QPushButton::clicked, this, [this] { Answer(kChoiceFirst); });
    connect(BotaoNao, &QPushButton::clicked, this, [this] { Answer(kChoiceSecond); });
    connect(BotaoCancelar, &QPushButton::clicked, this, [this] { Answer(kChoiceCancel); });
    connect(BotaoR, &QPushButton::clicked, this, [this] { Answer(kChoiceThird); });

    // The key preview: letters reach the box wherever the focus is.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool TCaixaMensagem::RepeatOn() const {
    return CheckBoxRepeticao->isChecked();
}

Choice TCaixaMensagem::Execute(const std::vector<std::string>& lines, const std::string& first,
                               const std::string& second, const std::string& third) {
    MoveOntoScreen(*this, platform_.boxPosition);
    BotaoSim->setText(AcceleratorCaption(first));
    if (BoxThreeButtons) {
        BotaoCancelar->show();
        BotaoNao->setText(AcceleratorCaption(second));
        BotaoNao->show();
        if (!third.empty()) {
            BotaoR->setText(AcceleratorCaption(third));
            BotaoR->show();
        }
    } else if (BoxTwoButtons) {
        BotaoNao->setText(AcceleratorCaption(second));
        BotaoNao->show();
    }

    QStringList paragraphs;
    for (const std::string& line : lines) paragraphs << DisplayText(line);
    RichEdit1->setPlainText(paragraphs.join(QLatin1Char('\n')));

    if (BoxWithRepeat) {
        RichEdit1->resize(RichEdit1->width(), CheckBoxRepeticao->y() - 8 - RichEdit1->y());
        RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        CheckBoxRepeticao->show();
    } else if (BoxWithLink) {
        const QString link = QLatin1String(kAboutLink);
        LabelLink->setText(QLatin1String("<a href=\"%1\">%1</a>").arg(link));
        LabelLink->adjustSize();
        RichEdit1->resize(RichEdit1->width(), LabelLink->y() - RichEdit1->y());
        LabelLink->show();
    }
    BotaoSim->setFocus();

    result_ = kChoiceCancel;
    if (platform_.script) {
        platform_.script->shown.push_back(lines);
        BoxAnswer answer;
        if (!platform_.script->answers.empty()) {
            answer = platform_.script->answers.front();
            platform_.script->answers.pop_front();
        }
        show();
        if (BoxWithRepeat) CheckBoxRepeticao->setChecked(answer.repeat);
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

void TCaixaMensagem::Answer(Choice choice) {
    result_ = choice;
    done(QDialog::Accepted);
}

void TCaixaMensagem::done(int code) {
    platform_.boxPosition = pos();
    QDialog::done(code);
}

bool TCaixaMensagem::OnKeyPress(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        BotaoSim->click();
        return true;
    }
    const QString text = event.text();
    if (!text.isEmpty()) {
        const QChar typed = text[0].toUpper();
        if (typed == Accelerator(*BotaoSim)) {
            BotaoSim->click();
            return true;
        }
        if (!BotaoNao->isHidden() && typed == Accelerator(*BotaoNao)) {
            BotaoNao->click();
            return true;
        }
        if (!BotaoR->isHidden() && typed == Accelerator(*BotaoR)) {
            BotaoR->click();
            return true;
        }
    }
    if (event.key() == Qt::Key_Escape) {
        BotaoCancelar->click();
        return true;
    }
    return false;
}

bool TCaixaMensagem::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && OnKeyPress(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TCaixaMensagem::keyPressEvent(QKeyEvent* event) {
    if (!OnKeyPress(*event)) QDialog::keyPressEvent(event);
}

void ShowInfo(QtPlatform& platform, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (line.empty()) return;
    TCaixaMensagem box(platform, platform.window);
    box.Execute(lines, "Seen");
}

bool AskYesNo(QtPlatform& platform, const std::vector<std::string>& lines) {
    TCaixaMensagem box(platform, platform.window);
    box.BoxTwoButtons = true;
    return box.Execute(lines, "Yes", "No") == kChoiceFirst;
}

Choice AskChoice(QtPlatform& platform, const std::vector<std::string>& lines,
                 const std::string& first, const std::string& second, const std::string& third,
                 bool withRepeat, bool& repeat) {
    TCaixaMensagem box(platform, platform.window);
    box.BoxThreeButtons = true;
    box.BoxWithRepeat = withRepeat;
    const Choice choice = box.Execute(lines, first, second, third);
    repeat = box.RepeatOn();
    return choice;
}

void ShowAbout(QtPlatform& platform) {
    TCaixaMensagem box(platform, platform.window);
    box.BoxWithLink = true;
    box.Execute({"Program to play and edit sliding block puzzles and Sokoban levels.",
                 "Version 7.02.", "Written by the Ostavin team.",
                 "Click on the link below to visit the Internet page:"},
                "Seen");
}

} // namespace vorpel
