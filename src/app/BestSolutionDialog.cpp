// The best solution dialog: the stored record of the current level, applied, replaced by the
// current moves, or erased.
#include "app/BestSolutionDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Help.h"
#include "app/MessageBox.h"
#include "app/QtPlatform.h"
#include "files/BestSolutions.h"
#include "files/GameSession.h"
#include "model/Context.h"

namespace vorpel {

BestSolutionDialog::BestSolutionDialog(GameSession& session, BestSolutionHost& main)
    : QDialog(&main.Widget()), messagesLabel(new QLabel(this)),
      applyButton(new QPushButton(QStringLiteral("&Apply"), this)),
      writeButton(new QPushButton(QStringLiteral("&Write"), this)),
      eraseButton(new QPushButton(QStringLiteral("&Erase"), this)),
      helpButton(new QPushButton(QStringLiteral("&Help"), this)),
      cancelButton(new QPushButton(QStringLiteral("&Cancel"), this)), main_(main),
      session_(session) {
    setObjectName(QStringLiteral("BestSolutionDialog"));
    setWindowTitle(QStringLiteral(" Best solution"));
    messagesLabel->setWordWrap(true);
    messagesLabel->setMinimumWidth(300);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {applyButton, writeButton, eraseButton, helpButton, cancelButton}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(messagesLabel);
    layout->addLayout(buttons);
    connect(applyButton, &QPushButton::clicked, this, &BestSolutionDialog::Apply);
    connect(writeButton, &QPushButton::clicked, this, &BestSolutionDialog::Write);
    connect(eraseButton, &QPushButton::clicked, this, &BestSolutionDialog::Erase);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), "BestSolution"); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

void BestSolutionDialog::Refresh() {
    bool haveRecord = false;
    const std::string text = BestSolutionLabel(session_.Data(), haveRecord);
    messagesLabel->setText(DisplayText(text));
    applyButton->setEnabled(haveRecord);
    eraseButton->setEnabled(haveRecord);
    if (haveRecord) {
        applyButton->setDefault(true);
        applyButton->setFocus();
    } else {
        cancelButton->setDefault(true);
        cancelButton->setFocus();
    }
}

void BestSolutionDialog::Apply() {
    const FileResult applied = ApplyBestSolutionAtStart(session_.Data());
    main_.RefreshView(false);
    if (!applied.Ok()) main_.Platform().ShowInfo(applied.Lines());
    accept();
}

void BestSolutionDialog::Write() {
    SaveBestSolution(session_.Data(), true);
    accept();
}

void BestSolutionDialog::Erase() {
    const FileResult erased = EraseBestSolution(session_.Data());
    if (!erased.Ok()) main_.Platform().ShowInfo(SplitMessage(erased.message));
    Refresh();
    accept();
}

void ShowBestSolutionDialog(GameSession& session, BestSolutionHost& main) {
    BestSolutionDialog dialog(session, main);
    dialog.exec();
}

} // namespace vorpel
