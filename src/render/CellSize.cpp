// Cell-size maths: clamping to the canvas, zoom steps rounded half to even, fitting.
#include "render/CellSize.h"

#include <algorithm>

namespace vorpel {
namespace {

int HalfToEven(int numerator, int denominator) {
    int q = numerator / denominator;
    const int r = numerator % denominator;
    if (2 * r > denominator || (2 * r == denominator && (q & 1))) ++q;
    return q;
}

} // namespace

int MaxCellSize(int rows, int columns) {
    if (rows <= 0 || columns <= 0) return kMinCellSize;
    return std::max(kMinCellSize, std::min(kCanvasSize / columns, kCanvasSize / rows));
}

int ClampCellSize(int size, int rows, int columns) {
    if (rows <= 0 || columns <= 0) return kMinCellSize;
    return std::max(kMinCellSize, std::min(size, MaxCellSize(rows, columns)));
}

int ZoomInCellSize(int size, int rows, int columns) {
    return ClampCellSize(HalfToEven(size * 11, 10), rows, columns);
}

int ZoomOutCellSize(int size, int rows, int columns) {
    return ClampCellSize(HalfToEven(size * 9, 10), rows, columns);
}

int FitCellSize(int clientWidth, int clientHeight, int rows, int columns) {
    if (rows <= 0 || columns <= 0) return kMinCellSize;
    return ClampCellSize(std::min(clientWidth / columns, clientHeight / rows), rows, columns);
}

} // namespace vorpel
