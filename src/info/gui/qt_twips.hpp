#pragma once
// The window layouts are given in twips: 15 twips to a pixel at 96 dots per inch.
#include <QRect>
#include <QSize>

namespace korvane {

constexpr int TwipsToPixels(int twips) {
    return (twips + 7) / 15;
}

inline QRect TwipRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

inline QSize TwipSize(int width, int height) {
    return {TwipsToPixels(width), TwipsToPixels(height)};
}

} // namespace korvane
