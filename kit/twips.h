#ifndef TWIPS_H
#define TWIPS_H

#include <QPoint>
#include <QRect>

// Layouts are given in twips; 15 twips make one logical pixel.
constexpr int twipsPerPixel = 15;

constexpr int twips(int t)
{
    return t / twipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

inline QPoint twipsPoint(int x, int y)
{
    return {twips(x), twips(y)};
}

#endif
