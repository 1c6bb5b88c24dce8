#include "app/appicon.h"

#include <QPainter>
#include <QPixmap>

using namespace Qt::Literals::StringLiterals;

QIcon appIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x1f, 0x3a, 0x68));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    painter.setPen(QColor(0xf4, 0xc4, 0x30));
    painter.setFont(QFont(u"Times New Roman"_s, 34, QFont::Bold));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, u"S"_s);
    painter.end();
    return QIcon(pixmap);
}
