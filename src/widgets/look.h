#pragma once

// How the controls are placed and drawn: positions and sizes in twips, colours as 0x00BBGGRR,
// type faces and sizes.

#include <QColor>
#include <QFont>
#include <QStringList>

class QWidget;

// Colours as the program gives them: 0x00BBGGRR.
namespace Colour {
constexpr quint32 Black = 0x000000;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 DarkRed = 0x0000C0;
constexpr quint32 Green = 0x00FF00;
constexpr quint32 VerdictGreen = 0x00C000; // the green of a "yes"
constexpr quint32 Blue = 0xFF0000;
constexpr quint32 Grey = 0x808080;
} // namespace Colour

constexpr int TwipsPerPixel = 15; // at 96 dots per inch; Qt scales pixels with the screen
int twipsToPixels(int twips);
QColor colorFromBgr(quint32 bgr);
// Places a widget; a negative width or height lets it size itself to its content.
void placeTwips(QWidget &widget, int left, int top, int width = -1, int height = -1);
void applyForeColor(QWidget &widget, quint32 bgr);
void applyFont(QWidget &widget, double pointSize, bool bold);
// A font of the first of the given faces that is installed, at the given size; where
// none is, the default face. A Chinese face counts as installed under either of its names
// (SimSun is 宋体, KaiTi is 楷体): Chinese Windows lists them by their Chinese names only.
QFont faceFont(const QFont &base, const QStringList &families, double pointSize);
// The same, looking among the faces `installed` names.
QFont faceFont(const QFont &base, const QStringList &families, double pointSize,
               const QStringList &installed);
