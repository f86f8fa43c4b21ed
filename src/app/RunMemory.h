// What the windows remember for the program run (never stored), in one record that the platform
// owns (it lives from the program's start to its end, before and after the main window) and the
// main window hands to the windows it opens.
#pragma once

#include <string>

#include <QByteArray>
#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include "app/NavigationState.h"
#include "model/Kinds.h"
#include "render/GifExport.h"

namespace vorpel {

// What the editor keeps from one opening to the next.
struct EditorMemory {
    Byte alphanumericChar = 'A';
    Byte roundChar = 161;
    QPoint position{0, 200};
};

struct GifWindowMemory {
    GifExportSettings settings;
    QPoint position{100, 100};
    // The name the window starts with; the ".gif" offer of the save commands sets it.
    std::string fileName;
    QPointer<QWidget> window; // while it is open
};

struct BricksMovesMemory {
    std::string player = "1";
    // The DLL the window last worked with; none until it has.
    std::string dllPath;
    QByteArray geometry;
};

struct RunMemory {
    NavigationState navigation; // level list, move list, go-to-move and title dialogs
    EditorMemory editor;
    GifWindowMemory gif;
    BricksMovesMemory bricksMoves;
    // The DLL last read or written, where the Bricks moves window looks when it has none of its
    // own.
    std::string lastDllPath;
    // Where the message box, the options window and the colour chooser open; where each was
    // last left.
    QPoint messageBoxPosition{30, 120};
    QPoint optionsPosition{100, 200};
    QPoint colourChooserPosition{100, 100};
    // The window manager's frame around a client area, as last seen on any window: a window not
    // yet framed is placed with it. None until a frame was seen.
    QMargins frameMargins;
};

} // namespace vorpel
