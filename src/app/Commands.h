// The main window's command table: captions, command characters, shortcut texts and menus.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorpel {

// Menu items carry Tags from -1 to 48; the tables hold the entry of Tag t at position t + 1.
inline constexpr int kFirstTag = -1;
inline constexpr int kLastTag = 48;
inline constexpr int kTagCount = kLastTag - kFirstTag + 1;

// Command characters that cannot be typed: function and page keys reach the dispatcher only
// from the menu.
inline constexpr unsigned char kCommandF1 = 241;
inline constexpr unsigned char kCommandF2 = 242;
inline constexpr unsigned char kCommandF12 = 252;
inline constexpr unsigned char kCommandPageDown = 253;
inline constexpr unsigned char kCommandPageUp = 254;
// Esc as the editor's command character.
inline constexpr unsigned char kEditorEsc = 255;

inline constexpr std::array<std::string_view, kTagCount> CommandCaptions = {
    "Close the program",           // -1
    "Previous level",              // 0
    "Next level",                  // 1
    "Restart level",               // 2
    "Save as Vorpel ...",          // 3
    "Delete level ...",            // 4
    "Step backward",               // 5
    "Step forward",                // 6
    "Move backward",               // 7
    "Move forward",                // 8
    "Automatic replay",            // 9
    "Help",                        // 10
    "Level list - Scoreboard ...", // 11
    "New level - Edit ...",        // 12
    "Move list ...",               // 13
    "Count moves",                 // 14
    "No block annotation",         // 15
    "More options ...",            // 16
    "Full window size",            // 17
    "Move forward 10",             // 18
    "Move backward 10",            // 19
    "Title change ...",            // 20
    "Best solution ...",           // 21
    "Go to move ...",              // 22
    "New program instance",        // 23
    "Copy to Clipboard (Vorpel)",  // 24
    "Copy from Clipboard",         // 25
    "Identify blocks",             // 26
    "1/2 window width",            // 27
    "1/3 window width",            // 28
    "Centralize window",           // 29
    "1/2 window height",           // 30
    "1/3 window height",           // 31
    "Zero move count",             // 32
    "Write as GIF animation ...",  // 33
    "Zoom in",                     // 34
    "Zoom out",                    // 35
    "Read levels ...",             // 36
    "End of level",                // 37
    "Zoom fit to window",          // 38
    "About Vorpel",                // 39
    "View block path",             // 40
    "Save as NBL ...",             // 41
    "Save as DLL ...",             // 42
    "Write Bricks moves ...",      // 43
    "Read Bricks moves ...",       // 44
    "Shuffle blocks",              // 45
    "Marks over blocks",           // 46
    "Save as SOK ...",             // 47
    "Copy to Clipboard (SOK)",     // 48
};

inline constexpr std::array<unsigned char, kTagCount> CommandKeys = {
    0,                // -1 Close the program: its own click handler
    '-',              // 0
    '+',              // 1
    'R',              // 2
    'S',              // 3
    'D',              // 4
    '<',              // 5
    '>',              // 6
    '[',              // 7
    ']',              // 8
    'A',              // 9
    kCommandF1,       // 10
    'L',              // 11
    'N',              // 12
    'M',              // 13
    'C',              // 14
    'X',              // 15
    'O',              // 16
    '1',              // 17
    kCommandPageDown, // 18
    kCommandPageUp,   // 19
    'T',              // 20
    'B',              // 21
    'G',              // 22
    'P',              // 23
    3,                // 24 Ctrl+C
    22,               // 25 Ctrl+V
    'I',              // 26
    '2',              // 27
    '3',              // 28
    '!',              // 29
    '@',              // 30
    '#',              // 31
    'Z',              // 32
    'W',              // 33
    '*',              // 34
    '/',              // 35
    'K',              // 36
    'E',              // 37
    'F',              // 38
    kCommandF2,       // 39
    'V',              // 40
    'U',              // 41
    'Y',              // 42
    'H',              // 43
    'J',              // 44
    kCommandF12,      // 45
    'Q',              // 46
    '4',              // 47
    2,                // 48 Ctrl+B
};

inline constexpr std::string_view CommandCaption(int tag) {
    return CommandCaptions[static_cast<std::size_t>(tag + 1)];
}
inline constexpr unsigned char CommandKey(int tag) {
    return CommandKeys[static_cast<std::size_t>(tag + 1)];
}

// The menu items' control names.
inline constexpr std::array<std::string_view, kTagCount> CommandItemNames = {
    "MenuTerminarPrograma",
    "MenuNivelAnterior",
    "MenuNivelSeguinte",
    "MenuInicioNivel",
    "MenuGravarVorpel",
    "MenuDescartarNivel",
    "MenuRecuar1Passo",
    "MenuAvancar1Passo",
    "MenuRecuar1Jogada",
    "MenuAvancar1Jogada",
    "MenuReproducaoAutomatica",
    "MenuAjutorio",
    "MenuEscolherNivel",
    "MenuEditarNivel",
    "MenuListarJogadas",
    "MenuContarJogadas",
    "MenuSemAnotacao",
    "MenuPreferencias",
    "MenuTamanhoMaximoJanela",
    "MenuAvancar10Jogadas",
    "MenuRecuar10Jogadas",
    "MenuMudarTitulo",
    "MenuMelhorSolucao",
    "MenuVaParaJogada",
    "MenuOutraOcorrencia",
    "MenuCopiarParaClipboardVorpel",
    "MenuCopiarDoClipboard",
    "MenuRotularBlocos",
    "MenuLarguraJanelaMeia",
    "MenuLarguraJanelaTerca",
    "MenuCentralizarJanela",
    "MenuAlturaJanelaMeia",
    "MenuAlturaJanelaTerca",
    "MenuZerarJogadas",
    "MenuGravarGIF",
    "MenuAumentarTabuleiro",
    "MenuDiminuirTabuleiro",
    "MenuLerNiveis",
    "MenuFimNivel",
    "MenuAjustarTabuleiro",
    "MenuSobreVorpel",
    "MenuCaminhoBlocos",
    "MenuGravarNBL",
    "MenuGravarDLL",
    "MenuGravarBricks",
    "MenuLerBricks",
    "MenuEmbaralhar",
    "MenuDesenharMarcas",
    "MenuGravarSOK",
    "MenuCopiarParaClipboardSOK",
};

// The text of an item's shortcut column: a name for keys that are no printable character,
// otherwise the character itself.
std::string_view ShortcutText(int tag);

// The Tag whose command a typed or clicked character runs (letters in either case, "=" for "+",
// "," for "<", "." for ">"); kFirstTag - 1 when the table names no such command.
int TagOfCharacter(unsigned char c);

// The menus in display order: each top-level caption and the Tags of its items.
struct MenuLayout {
    std::string_view caption;
    std::array<int, 15> tags;
    int count;
};
extern const std::array<MenuLayout, 5> kMainMenus;

// Commands whose windows the program does not have yet: their items are disabled and their
// characters do nothing.
bool CommandAvailable(int tag);

} // namespace vorpel
