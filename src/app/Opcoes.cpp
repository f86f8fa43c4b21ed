// The options window: the stored options, the startup list and the settings kept for the run.
#include "app/Opcoes.h"

#include <algorithm>
#include <limits>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/Ajuda.h"
#include "app/BarraEdit.h"
#include "app/QtPlatform.h"
#include "app/VorpelIni.h"

namespace vorpel {

namespace {

constexpr const char* kStartupLabel =
    "Initial files (for each number \"n\" in the list below, the file \"Vorpel n.txt\" will be "
    "read at program startup):";

QWidget* NewPage(QTabWidget* pages, const char* name, const char* title) {
    auto* page = new QWidget(pages);
    page->setObjectName(QLatin1String(name));
    pages->addTab(page, QLatin1String(title));
    return page;
}

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(QLatin1String(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

std::string ValidateStartupList(const std::string& list) {
    std::string text;
    std::copy_if(list.begin(), list.end(), std::back_inserter(text),
                 [](char c) { return c != ' '; });
    if (text.empty()) return {};
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!std::all_of(text.begin(), text.end(), [&](char c) { return digit(c) || c == ','; }))
        return "Invalid character in the number list in the game options.";
    if (!digit(text.front()))
        return "The number list in the game options does not start with a number.";
    if (!digit(text.back()))
        return "The number list in the game options does not end with a number.";
    if (text.find(",,") != std::string::npos)
        return "Two successive commas in the number list in the game options.";
    return {};
}

TFormOpcoes::TFormOpcoes(Context& ctx, VorpelIni& ini, QtPlatform& platform, OptionsHooks hooks,
                         QWidget* parent)
    : QDialog(parent), ctx_(ctx), ini_(ini), platform_(platform), hooks_(std::move(hooks)),
      savedGrid_(ctx.options.grid), savedJoinBarriers_(ctx.options.joinBarriers),
      savedJoinMagnets_(ctx.options.joinMagnets) {
    setObjectName(QLatin1String("TFormOpcoes"));
    setWindowTitle(QLatin1String(" Options"));
    filling_ = true;

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QLatin1String("PageControl"));
    QWidget* game = NewPage(PageControl, "TabSheetJogo", "Game");
    QWidget* file = NewPage(PageControl, "TabSheetArquivo", "File");
    QWidget* edit1 = NewPage(PageControl, "TabSheetEdicao1", "Edit 1");
    QWidget* edit2 = NewPage(PageControl, "TabSheetEdicao2", "Edit 2");

    for (int i = 0; i < kOptionCount; ++i) {
        QWidget* page = i <= 6 ? game : i <= 12 ? file : edit2;
        const std::string name =
            i < 13 ? "CheckBox" + std::to_string(i) : std::string("CheckBoxAutoAvancoAlfanumerico");
        auto* box = NewCheckBox(page, name.c_str(), "");
        box->setText(FromCp1252(ini.optionNames[static_cast<std::size_t>(i)]));
        box->setProperty("Tag", i);
        optionBoxes[static_cast<std::size_t>(i)] = box;
    }
    ShowOptionValues(0, kOptionCount - 1);

    // Game: options 0 to 6, the startup list, reading again.
    auto* gameLayout = new QVBoxLayout(game);
    for (int i = 0; i <= 6; ++i) gameLayout->addWidget(optionBoxes[static_cast<std::size_t>(i)]);
    LabelLerAoIniciar = new QLabel(QLatin1String(kStartupLabel), game);
    LabelLerAoIniciar->setObjectName(QLatin1String("LabelLerAoIniciar"));
    LabelLerAoIniciar->setWordWrap(true);
    EditLerAoIniciar = new QLineEdit(FromCp1252(ctx.options.startupList), game);
    EditLerAoIniciar->setObjectName(QLatin1String("EditLerAoIniciar"));
    LabelLerAoIniciar->setBuddy(EditLerAoIniciar);
    BotaoLerOpcoesJogo =
        NewButton(game, "BotaoLerOpcoesJogo", "Read game options from the Registry");
    gameLayout->addWidget(LabelLerAoIniciar);
    gameLayout->addWidget(EditLerAoIniciar);
    resumeBox = NewCheckBox(game, "resumeBox", kResumeValue);
    resumeBox->setChecked(ctx.options.resume);
    gameLayout->addWidget(resumeBox);
    gameLayout->addWidget(BotaoLerOpcoesJogo, 0, Qt::AlignLeft);
    gameLayout->addStretch();

    // File: options 7 to 12, reading again.
    auto* fileLayout = new QVBoxLayout(file);
    for (int i = 7; i <= 12; ++i) fileLayout->addWidget(optionBoxes[static_cast<std::size_t>(i)]);
    BotaoLerOpcoesArquivo =
        NewButton(file, "BotaoLerOpcoesArquivo", "Read file options from the Registry");
    fileLayout->addWidget(BotaoLerOpcoesArquivo, 0, Qt::AlignLeft);
    fileLayout->addStretch();

    // Edit 1: the editor's grid.
    auto* edit1Layout = new QVBoxLayout(edit1);
    auto* grid = new QGroupBox(QLatin1String("Grid:"), edit1);
    grid->setObjectName(QLatin1String("GroupBoxGrade"));
    auto* gridLayout = new QGridLayout(grid);
    const auto newBar = [grid](const char* name, const char* caption, int value) {
        auto* bar = new BarraEdit(QLatin1String(caption), 0, 64, grid);
        bar->setObjectName(QLatin1String(name));
        bar->SetValue(value);
        return bar;
    };
    const EditorGrid& current = ctx.options.grid;
    BarraEditLinhaInicial = newBar("BarraEditLinhaInicial", "Starting row", current.startRow);
    BarraEditColunaInicial =
        newBar("BarraEditColunaInicial", "Starting column", current.startColumn);
    BarraEditEspacoVertical =
        newBar("BarraEditEspacoVertical", "Vertical spacing", current.rowSpacing);
    BarraEditEspacoHorizontal =
        newBar("BarraEditEspacoHorizontal", "Horizontal spacing", current.columnSpacing);
    CheckBoxMostrarGrade = NewCheckBox(grid, "CheckBoxMostrarGrade", "Show grid");
    CheckBoxMostrarGrade->setChecked(current.show);
    BotaoPadrao = NewButton(grid, "BotaoPadrao", "Default");
    gridLayout->addWidget(BarraEditLinhaInicial, 0, 0);
    gridLayout->addWidget(BarraEditColunaInicial, 0, 1);
    gridLayout->addWidget(BarraEditEspacoVertical, 1, 0);
    gridLayout->addWidget(BarraEditEspacoHorizontal, 1, 1);
    gridLayout->addWidget(CheckBoxMostrarGrade, 2, 0);
    gridLayout->addWidget(BotaoPadrao, 2, 1, Qt::AlignRight);
    edit1Layout->addWidget(grid);
    edit1Layout->addStretch();

    // Edit 2: joining, option 13, the shuffle seed.
    auto* edit2Layout = new QVBoxLayout(edit2);
    CheckBoxJuntarBarreiras = NewCheckBox(edit2, "CheckBoxJuntarBarreiras", "Join barriers");
    CheckBoxJuntarBarreiras->setChecked(ctx.options.joinBarriers);
    CheckBoxJuntarImas = NewCheckBox(edit2, "CheckBoxJuntarImas", "Join magnets");
    CheckBoxJuntarImas->setChecked(ctx.options.joinMagnets);
    edit2Layout->addWidget(CheckBoxJuntarBarreiras);
    edit2Layout->addWidget(CheckBoxJuntarImas);
    edit2Layout->addWidget(optionBoxes[kAlphanumericAutoincrement]);
    auto* shuffle = new QGroupBox(QLatin1String("Block shuffling"), edit2);
    shuffle->setObjectName(QLatin1String("GroupBoxEmbaralhar"));
    auto* shuffleLayout = new QHBoxLayout(shuffle);
    auto* seedLabel = new QLabel(QLatin1String("Random-number seed:"), shuffle);
    seedLabel->setObjectName(QLatin1String("LabelSemente"));
    EditSemente = new QLineEdit(QString::number(ctx.options.seed), shuffle);
    EditSemente->setObjectName(QLatin1String("EditSemente"));
    EditSemente->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QLatin1String("[0-9]{1,10}")), this));
    seedLabel->setBuddy(EditSemente);
    BotaoAleatorio = NewButton(shuffle, "BotaoAleatorio", "Random");
    shuffleLayout->addWidget(seedLabel);
    shuffleLayout->addWidget(EditSemente);
    shuffleLayout->addWidget(BotaoAleatorio);
    edit2Layout->addWidget(shuffle);
    edit2Layout->addStretch();

    BotaoOK = NewButton(this, "BotaoOK", "OK");
    BotaoOK->setDefault(true);
    BotaoCancelar = NewButton(this, "BotaoCancelar", "Cancel");
    BotaoAjuda = NewButton(this, "BotaoAjuda", "Help");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BotaoOK);
    buttons->addWidget(BotaoCancelar);
    buttons->addWidget(BotaoAjuda);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);

    connect(BotaoOK, &QPushButton::clicked, this, &TFormOpcoes::OnClickBotaoOK);
    connect(BotaoCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(BotaoAjuda, &QPushButton::clicked, this, [this] { ShowHelp(platform_, "Options"); });
    connect(BotaoAleatorio, &QPushButton::clicked, this, &TFormOpcoes::OnClickBotaoAleatorio);
    connect(BotaoPadrao, &QPushButton::clicked, this, &TFormOpcoes::OnClickBotaoPadrao);
    connect(BotaoLerOpcoesJogo, &QPushButton::clicked, this, [this] {
        ini_.ReadOptions(true, 0, 3);
        ShowOptionValues(0, 6);
    });
    connect(BotaoLerOpcoesArquivo, &QPushButton::clicked, this, [this] {
        ini_.ReadOptions(true, 7, 12);
        ShowOptionValues(7, 12);
    });
    for (BarraEdit* bar : {BarraEditLinhaInicial, BarraEditColunaInicial, BarraEditEspacoVertical,
                           BarraEditEspacoHorizontal})
        connect(bar, &BarraEdit::valueChanged, this, [this] { OnChangeGrade(false); });
    connect(CheckBoxMostrarGrade, &QCheckBox::toggled, this, [this] { OnChangeGrade(true); });
    connect(CheckBoxJuntarBarreiras, &QCheckBox::toggled, this, [this](bool on) {
        ctx_.options.joinBarriers = on;
        RepaintEditor();
    });
    connect(CheckBoxJuntarImas, &QCheckBox::toggled, this, [this](bool on) {
        ctx_.options.joinMagnets = on;
        RepaintEditor();
    });

    filling_ = false;
    adjustSize();
    MoveOntoScreen(*this, platform.optionsPosition);
}

void TFormOpcoes::ShowOptionValues(int first, int last) {
    for (int i = first; i <= last; ++i)
        optionBoxes[static_cast<std::size_t>(i)]->setChecked(
            ctx_.options.value[static_cast<std::size_t>(i)]);
}

void TFormOpcoes::RepaintEditor() {
    if (ctx_.flags.editorActive && hooks_.repaintEditor) hooks_.repaintEditor();
}

void TFormOpcoes::OnChangeGrade(bool showsAlways) {
    if (filling_) return;
    EditorGrid& grid = ctx_.options.grid;
    grid.startRow = BarraEditLinhaInicial->Value();
    grid.startColumn = BarraEditColunaInicial->Value();
    grid.rowSpacing = BarraEditEspacoVertical->Value();
    grid.columnSpacing = BarraEditEspacoHorizontal->Value();
    grid.show = CheckBoxMostrarGrade->isChecked();
    if (showsAlways || grid.show) RepaintEditor();
}

void TFormOpcoes::OnClickBotaoPadrao() {
    filling_ = true;
    BarraEditLinhaInicial->SetValue(0);
    BarraEditColunaInicial->SetValue(0);
    BarraEditEspacoVertical->SetValue(1);
    BarraEditEspacoHorizontal->SetValue(1);
    filling_ = false;
    OnChangeGrade(false);
}

std::uint32_t TFormOpcoes::SeedValue() const {
    const unsigned long long value = EditSemente->text().toULongLong();
    return static_cast<std::uint32_t>(
        std::min<unsigned long long>(value, std::numeric_limits<std::uint32_t>::max()));
}

void TFormOpcoes::OnClickBotaoAleatorio() {
    EditSemente->setText(QString::number(NextSeed(SeedValue())));
}

void TFormOpcoes::OnClickBotaoOK() {
    const std::string list = ToCp1252(EditLerAoIniciar->text());
    if (const std::string message = ValidateStartupList(list); !message.empty()) {
        PageControl->setCurrentIndex(kPageGame);
        platform_.ShowInfo({message});
        return;
    }
    for (int i = 0; i < kOptionCount; ++i)
        ctx_.options.value[static_cast<std::size_t>(i)] =
            optionBoxes[static_cast<std::size_t>(i)]->isChecked();
    ctx_.options.startupList = list;
    ctx_.options.resume = resumeBox->isChecked();
    ini_.WriteOptions(true, 0, kOptionCount - 1);
    ctx_.options.seed = SeedValue();
    if (hooks_.applyOptions) hooks_.applyOptions();
    accept();
}

void TFormOpcoes::done(int code) {
    platform_.optionsPosition = pos();
    if (code != QDialog::Accepted) {
        ctx_.options.grid = savedGrid_;
        ctx_.options.joinBarriers = savedJoinBarriers_;
        ctx_.options.joinMagnets = savedJoinMagnets_;
        RepaintEditor();
    }
    QDialog::done(code);
}

bool ShowOptions(int page, Context& ctx, VorpelIni& ini, QtPlatform& platform,
                 const OptionsHooks& hooks) {
    TFormOpcoes form(ctx, ini, platform, hooks, platform.window);
    form.PageControl->setCurrentIndex(page);
    return form.exec() == QDialog::Accepted;
}

} // namespace vorpel
