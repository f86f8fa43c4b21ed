// The title dialog: a new title for the current level, refused when invalid and flagged when
// another level has it.
#include "app/TitleDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/Help.h"
#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "files/GameSession.h"
#include "files/TitleCheck.h"
#include "model/Context.h"

namespace vorpel {

TitleDialog::TitleDialog(GameSession& session, TitleDialogHost& main, std::string title)
    : QDialog(&main.Widget()), originalLabel(new QLabel(this)), nameEdit(new QLineEdit(this)),
      invalidLabel(new QLabel(this)), okButton(new QPushButton(QStringLiteral("&OK"), this)),
      cancelButton(new QPushButton(QStringLiteral("&Cancel"), this)),
      currentTitleButton(new QPushButton(QStringLiteral("Current &title"), this)),
      helpButton(new QPushButton(QStringLiteral("&Help"), this)), main_(main), session_(session),
      titleResult_(std::move(title)) {
    setObjectName(QStringLiteral("TitleDialog"));
    setWindowTitle(QStringLiteral(" Title change"));
    okButton->setDefault(true);
    invalidLabel->setStyleSheet(QStringLiteral("color: #b00000"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("From:"), this), 0, 0);
    layout->addWidget(originalLabel, 0, 1, 1, 4);
    layout->addWidget(new QLabel(QStringLiteral("To:"), this), 1, 0);
    layout->addWidget(nameEdit, 1, 1, 1, 4);
    layout->addWidget(invalidLabel, 2, 1, 1, 4);
    layout->addWidget(okButton, 3, 1);
    layout->addWidget(cancelButton, 3, 2);
    layout->addWidget(currentTitleButton, 3, 3);
    layout->addWidget(helpButton, 3, 4);
    nameEdit->setMinimumWidth(360);

    main.Memory().navigation.title.open = true;
    MoveOntoScreen(*this, main.Memory().navigation.title.position, main.Memory().frameMargins);
    originalLabel->setText(FromCp1252(titleResult_));
    nameEdit->setText(FromCp1252(titleResult_));
    Validate();
    connect(nameEdit, &QLineEdit::textChanged, this, &TitleDialog::Validate);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(currentTitleButton, &QPushButton::clicked, this,
            [this] { nameEdit->setText(FromCp1252(titleResult_)); });
    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), "ChangeTitle"); });
    nameEdit->setFocus();
}

TitleDialog::~TitleDialog() {
    main_.Memory().navigation.title.open = false;
}

QString UnheldTitleCharacters(const QString& outside) {
    return QStringLiteral("A title cannot hold these characters: ") + outside;
}

void TitleDialog::Validate() {
    const TitleState state = CheckTitleFor(session_.Data().collection, ToCp1252(nameEdit->text()),
                                           session_.Data().collection.currentLevel);
    const QString outside = OutsideCp1252(nameEdit->text());
    invalidLabel->setText(outside.isEmpty() ? QString::fromLatin1(TitleWarning(state))
                                            : UnheldTitleCharacters(outside));
    okButton->setEnabled(state != TitleState::Invalid && outside.isEmpty());
}

void TitleDialog::done(int result) {
    // A title is never changed silently: characters the code page lacks are named, not turned
    // into "?".
    if (const QString outside = OutsideCp1252(nameEdit->text());
        result == QDialog::Accepted && !outside.isEmpty()) {
        main_.Platform().ShowInfo({UnheldTitleCharacters(outside).toStdString() + "."});
        return;
    }
    // Enter reaches the default button even while it is disabled in some styles.
    if (result == QDialog::Accepted && !okButton->isEnabled()) return;
    if (result == QDialog::Accepted) titleResult_ = ToCp1252(nameEdit->text());
    main_.Memory().navigation.title.position =
        FrameRect(*this, main_.Memory().frameMargins).topLeft();
    QDialog::done(result);
}

std::string ChangeTitleDialog(GameSession& session, TitleDialogHost& main,
                              const std::string& title) {
    if (main.Memory().navigation.title.open) return title;
    TitleDialog dialog(session, main, title);
    dialog.exec();
    return dialog.Result();
}

} // namespace vorpel
