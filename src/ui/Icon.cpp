#include "Icon.h"

#include <QFontDatabase>
#include <QHash>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

const QString &fontFamily()
{
    static QString family = u"Material Icons"_s;
    return family;
}

const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> map{
        {u"book.closed.fill"_s, u"menu_book"_s},
    };
    return map;
}

} // namespace

bool Icon::ensureFontLoaded()
{
    static const bool loaded = [] {
        const int id = QFontDatabase::addApplicationFont(
            u"/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf"_s);
        return id >= 0;
    }();
    return loaded;
}

QString Icon::glyphName(const QString &symbol)
{
    return table().value(symbol, u"category"_s);
}

bool Icon::isMapped(const QString &symbol)
{
    return table().contains(symbol);
}

QFont Icon::font(int pixelSize)
{
    ensureFontLoaded();
    QFont f(fontFamily());
    f.setPixelSize(pixelSize);
    return f;
}

QPixmap Icon::pixmap(const QString &symbol, const QColor &colour, int size, qreal devicePixelRatio)
{
    QPixmap pm(QSize(size, size) * devicePixelRatio);
    pm.setDevicePixelRatio(devicePixelRatio);
    pm.fill(Qt::transparent);
    QPainter painter(&pm);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(colour);
    painter.setFont(font(size));
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyphName(symbol));
    return pm;
}

QIcon Icon::icon(const QString &symbol, const QColor &colour, int size)
{
    QIcon result;
    result.addPixmap(pixmap(symbol, colour, size, 1.0));
    result.addPixmap(pixmap(symbol, colour, size, 2.0));
    return result;
}
