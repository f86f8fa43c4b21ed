// Cell-size maths: the sizes the canvas allows, zooming and fitting a board to a window.
#pragma once

namespace vorpel {

inline constexpr int kCanvasSize = 2048; // pixels on each side; also the row stride
inline constexpr int kMinCellSize = 10;

// Cell-size rules: at least 10 and at most 2048 div the larger of rows and columns; 10 with
// no board.
int MaxCellSize(int rows, int columns);
int ClampCellSize(int size, int rows, int columns);
// Zoom in (11/10) or out (9/10), rounded half to even, then clamped.
int ZoomInCellSize(int size, int rows, int columns);
int ZoomOutCellSize(int size, int rows, int columns);
// The largest cell size that fits a client area, clamped.
int FitCellSize(int clientWidth, int clientHeight, int rows, int columns);

} // namespace vorpel
