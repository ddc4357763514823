#include "widgets/look.h"

#include <QFontDatabase>
#include <QHash>
#include <QWidget>

int twipsToPixels(int twips)
{
    return (twips >= 0 ? twips + TwipsPerPixel / 2 : twips - TwipsPerPixel / 2) / TwipsPerPixel;
}

QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

void placeTwips(QWidget &widget, int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        widget.adjustSize();
    widget.setGeometry(twipsToPixels(left), twipsToPixels(top),
                       width < 0 ? widget.width() : twipsToPixels(width),
                       height < 0 ? widget.height() : twipsToPixels(height));
}

void applyForeColor(QWidget &widget, quint32 bgr)
{
    QPalette palette = widget.palette();
    const QColor color = colorFromBgr(bgr);
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Text, color);
    widget.setPalette(palette);
}

void applyFont(QWidget &widget, double pointSize, bool bold)
{
    QFont font = widget.font();
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    widget.setFont(font);
}

QFont faceFont(const QFont &base, const QStringList &families, double pointSize)
{
    // Only the faces installed under one of their own names: asking whether another one
    // exists makes the font system look for a stand-in (Arial, SimSun), which is slow at
    // start-up and gives nothing better than the default face.
    static const QStringList installed = QFontDatabase::families();
    return faceFont(base, families, pointSize, installed);
}

QFont faceFont(const QFont &base, const QStringList &families, double pointSize, const QStringList &installed)
{
    static const QHash<QString, QString> chineseNames{{QStringLiteral("simsun"), QStringLiteral("宋体")},
                                                      {QStringLiteral("kaiti"), QStringLiteral("楷体")}};
    QFont font = base;
    for (const QString &family : families) {
        const QString found =
            installed.contains(family, Qt::CaseInsensitive) ? family : chineseNames.value(family.toLower());
        if (!found.isEmpty() && installed.contains(found, Qt::CaseInsensitive)) {
            font.setFamily(found);
            break;
        }
    }
    font.setPointSizeF(pointSize);
    return font;
}
