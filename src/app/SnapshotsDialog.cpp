// Snapshots in the window: naming the current position and going back to a named one, through
// the core's SaveSnapshot and RestoreSnapshot.
#include "app/SnapshotsDialog.h"

#include <algorithm>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Help.h"
#include "app/QtPlatform.h"
#include "files/GameSession.h"
#include "files/MoveText.h"
#include "files/Snapshots.h"
#include "model/Context.h"

namespace vorpel {

namespace {

constexpr const char* kHelpTopic = "Snapshots";

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

} // namespace

// --- Save position as ------------------------------------------------------------------------

SnapshotNameDialog::SnapshotNameDialog(GameSession& session, SnapshotsHost& main)
    : QDialog(&main.Widget()), nameEdit(new QLineEdit(this)),
      okButton(NewButton(this, "okButton", "&OK")),
      cancelButton(NewButton(this, "cancelButton", "&Cancel")),
      helpButton(NewButton(this, "helpButton", "&Help")), session_(session), main_(main) {
    setObjectName(QStringLiteral("SnapshotNameDialog"));
    setWindowTitle(QStringLiteral(" Save position as"));
    nameEdit->setObjectName(QStringLiteral("nameEdit"));
    nameEdit->setMinimumWidth(300);
    nameEdit->setText(FromCp1252(FreeSnapshotName(session.Data().CurrentLevel())));
    nameEdit->selectAll();
    auto* caption = new QLabel(QStringLiteral("&Name of the position:"), this);
    caption->setBuddy(nameEdit);
    okButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {okButton, cancelButton, helpButton}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(nameEdit);
    layout->addLayout(buttons);

    // A name of blanks only would be a line that says nothing.
    connect(nameEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { okButton->setEnabled(!text.trimmed().isEmpty()); });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), kHelpTopic); });
    nameEdit->setFocus();
}

void SnapshotNameDialog::done(int result) {
    if (result != QDialog::Accepted) {
        QDialog::done(result);
        return;
    }
    // Enter reaches the default button even while it is disabled in some styles.
    if (!okButton->isEnabled()) return;
    // A name is never changed silently: characters the code page lacks are named.
    if (const QString outside = OutsideCp1252(nameEdit->text()); !outside.isEmpty()) {
        main_.Platform().ShowInfo(
            {"A name cannot hold these characters: " + outside.toStdString() + "."});
        return;
    }
    Context& ctx = session_.Data();
    const std::string name = SnapshotName(ToCp1252(nameEdit->text()));
    if (HasSnapshot(ctx.CurrentLevel(), name) &&
        !main_.Platform().AskYesNoDefaultNo(
            {"This level has a position named " + Quoted(name) + " already.", "Replace it?"}))
        return;
    SaveSnapshot(ctx, name);
    QDialog::done(result);
}

// --- Saved positions -------------------------------------------------------------------------

SnapshotsDialog::SnapshotsDialog(GameSession& session, SnapshotsHost& main)
    : QDialog(&main.Widget()), snapshotList(new QListWidget(this)),
      goToButton(NewButton(this, "goToButton", "&Go to")),
      deleteButton(NewButton(this, "deleteButton", "&Delete")),
      closeButton(NewButton(this, "closeButton", "&Close")),
      helpButton(NewButton(this, "helpButton", "&Help")), session_(session), main_(main) {
    setObjectName(QStringLiteral("SnapshotsDialog"));
    setWindowTitle(QStringLiteral(" Saved positions"));
    snapshotList->setObjectName(QStringLiteral("snapshotList"));
    goToButton->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {goToButton, deleteButton, closeButton, helpButton})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(snapshotList, 1);
    layout->addLayout(buttons);
    resize(420, 260);

    connect(goToButton, &QPushButton::clicked, this, &SnapshotsDialog::GoTo);
    connect(snapshotList, &QListWidget::itemActivated, this, &SnapshotsDialog::GoTo);
    connect(deleteButton, &QPushButton::clicked, this, &SnapshotsDialog::Delete);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), kHelpTopic); });
    Fill(0);
    snapshotList->setFocus();
}

void SnapshotsDialog::Fill(int selected) {
    const std::vector<Snapshot>& snapshots = session_.Data().CurrentLevel().snapshots;
    snapshotList->clear();
    for (const Snapshot& s : snapshots) snapshotList->addItem(FromCp1252(s.name));
    const int count = static_cast<int>(snapshots.size());
    if (count > 0) snapshotList->setCurrentRow(std::clamp(selected, 0, count - 1));
    goToButton->setEnabled(count > 0);
    deleteButton->setEnabled(count > 0);
}

void SnapshotsDialog::GoTo() {
    const int row = snapshotList->currentRow();
    if (row < 0) return;
    Context& ctx = session_.Data();
    const std::string name = ctx.CurrentLevel().snapshots[static_cast<std::size_t>(row)].name;
    bool declined = false;
    const std::string error =
        RestoreSnapshot(ctx, static_cast<std::size_t>(row), [this, &name, &declined] {
            declined = !main_.Platform().AskYesNoDefaultNo(
                {"The moves of " + Quoted(name) + " take the place of this level's moves.",
                 "Go to it and drop the moves it does not have?"});
            return !declined;
        });
    session_.Notify(GameSession::Change::kPosition);
    if (!error.empty()) main_.Platform().ShowInfo({Quoted(name) + ":", error});
    if (error.empty() && !declined) accept();
}

void SnapshotsDialog::Delete() {
    const int row = snapshotList->currentRow();
    if (row < 0) return;
    std::vector<Snapshot>& snapshots = session_.Data().CurrentLevel().snapshots;
    if (!main_.Platform().AskYesNo(
            {"Delete the position " + Quoted(snapshots[static_cast<std::size_t>(row)].name) + "?"}))
        return;
    snapshots.erase(snapshots.begin() + row);
    Fill(row);
}

void SavePositionAs(GameSession& session, SnapshotsHost& main) {
    SnapshotNameDialog dialog(session, main);
    dialog.exec();
}

void ShowSnapshots(GameSession& session, SnapshotsHost& main) {
    SnapshotsDialog dialog(session, main);
    dialog.exec();
}

} // namespace vorpel
