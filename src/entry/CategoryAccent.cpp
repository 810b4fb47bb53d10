#include "CategoryAccent.h"


#include <array>

int CategoryAccent::paletteIndex(const QString &category)
{
    quint64 sum = 0;
    for (char32_t scalar : category.toUcs4())
        sum += scalar;
    return static_cast<int>(sum % 7);
}

QColor CategoryAccent::colour(const QString &category)
{
    static const std::array<QColor, 7> accents{
        QColor(0x58, 0x56, 0xd6), // indigo
        QColor(0xe8, 0x4a, 0x8a), // pink
        QColor(0xf0, 0x8c, 0x1a), // orange
        QColor(0x1f, 0xa5, 0xa8), // teal
        QColor(0x9b, 0x4d, 0xd6), // purple
        QColor(0x2f, 0x7c, 0xf6), // blue
        QColor(0x2f, 0xa8, 0x4f), // green
    };
    return accents[static_cast<size_t>(paletteIndex(category))];
}
