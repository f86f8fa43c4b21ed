// The go-to-move dialog: a slider over the level's moves (a Sokoban level's player steps) that
// the board follows live.
#include "app/GoToMoveDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/Help.h"
#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "app/SliderField.h"
#include "files/GameSession.h"
#include "model/Context.h"
#include "model/Sokoban.h"

namespace vorpel {

GoToMoveDialog::GoToMoveDialog(GameSession& session, GoToMoveHost& main)
    : QDialog(&main.Widget()), moveSlider(new SliderField(QStringLiteral("Move"), 0, 0, this)),
      okButton(new QPushButton(QStringLiteral("&OK"), this)),
      cancelButton(new QPushButton(QStringLiteral("&Cancel"), this)),
      helpButton(new QPushButton(QStringLiteral("&Help"), this)),
      currentPositionButton(new QPushButton(QStringLiteral("Current &position"), this)),
      session_(session), main_(main) {
    setObjectName(QStringLiteral("GoToMoveDialog"));
    setWindowTitle(QStringLiteral(" Go to move"));
    moveSlider->setObjectName(QStringLiteral("moveSlider"));
    okButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {okButton, cancelButton, helpButton, currentPositionButton})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(moveSlider);
    layout->addLayout(buttons);
    moveSlider->setMinimumWidth(360);

    GoToMoveState& state = main.Memory().navigation.goToMove;
    state.open = true;
    const Level& level = session.Data().CurrentLevel();
    sokoban_ = IsSokobanLevel(level);
    startPosition_ = level.currentStep;
    startMove_ = sokoban_ ? PlayerStepAt(level, startPosition_) : CurrentMove(level);
    MoveOntoScreen(*this, state.position, main.Memory().frameMargins);
    // The board shows the move chosen last time before the slider is set up, so that setting
    // the slider repeats nothing.
    Go(state.lastChosenMove);
    const int total = sokoban_ ? PlayerStepAt(level, level.stepCount) : TotalMoves(level);
    moveSlider->SetRange(0, total);
    moveSlider->SetValue(state.lastChosenMove);
    moveSlider->setEnabled(total > 0);
    for (QWidget* w :
         {static_cast<QWidget*>(moveSlider->slider), static_cast<QWidget*>(moveSlider->spinBox)})
        w->installEventFilter(this);

    connect(moveSlider, &SliderField::valueChanged, this, [this](int value) { Go(value); });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), "GotoMove"); });
    connect(currentPositionButton, &QPushButton::clicked, this,
            [this] { moveSlider->SetValue(startMove_); });
    okButton->setFocus();
}

GoToMoveDialog::~GoToMoveDialog() {
    main_.Memory().navigation.goToMove.open = false;
}

void GoToMoveDialog::done(int result) {
    GoToMoveState& state = main_.Memory().navigation.goToMove;
    if (result == QDialog::Accepted) state.lastChosenMove = moveSlider->Value();
    state.position = FrameRect(*this, main_.Memory().frameMargins).topLeft();
    QDialog::done(result);
    if (result == QDialog::Accepted)
        Go(state.lastChosenMove);
    else if (sokoban_)
        main_.ShowStep(startPosition_);
    else
        main_.ShowMove(startMove_);
}

void GoToMoveDialog::Go(int value) {
    if (sokoban_)
        main_.ShowStep(PositionOfPlayerStep(session_.Data().CurrentLevel(), value));
    else
        main_.ShowMove(value);
}

// The wheel turned forward goes back toward the start: one move per notch.
void GoToMoveDialog::Wheel(int delta) {
    if (!moveSlider->isEnabled()) return;
    wheelRest_ += delta;
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    if (notches != 0) moveSlider->SetValue(moveSlider->Value() - notches);
}

void GoToMoveDialog::wheelEvent(QWheelEvent* event) {
    Wheel(event->angleDelta().y());
    event->accept();
}

bool GoToMoveDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowGoToMoveDialog(GameSession& session, GoToMoveHost& main) {
    if (main.Memory().navigation.goToMove.open) return;
    GoToMoveDialog dialog(session, main);
    dialog.exec();
}

} // namespace vorpel
