// SPDX-License-Identifier: GPL-3.0-or-later
#include "Icon.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmapCache>

#include <algorithm>
#include <array>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

struct Row {
    std::u16string_view symbol;
    std::u16string_view ligature;
};

// Symbol name -> Material Icons ligature, sorted by symbol name (code-unit order) so a
// lookup is a binary search. Where the font has no exact counterpart the row holds the
// nearest glyph in look and meaning (noted at the row).
constexpr std::array table{
    Row{u"airplane", u"flight"},
    Row{u"arrow.counterclockwise.circle.fill", u"replay_circle_filled"},
    Row{u"arrow.down.left", u"south_west"},
    Row{u"arrow.down.right", u"south_east"},
    Row{u"arrow.left.arrow.right", u"swap_horiz"},
    Row{u"arrow.up.right", u"north_east"},
    Row{u"arrow.uturn.left.circle.fill", u"undo"}, // no circled u-turn
    Row{u"bag.fill", u"shopping_bag"},
    Row{u"banknote.fill", u"payments"},
    Row{u"basket.fill", u"shopping_basket"},
    Row{u"birthday.cake.fill", u"cake"},
    Row{u"bolt.fill", u"bolt"},
    Row{u"book.closed.fill", u"book"},
    Row{u"books.vertical.fill", u"library_books"},
    Row{u"briefcase.fill", u"work"},
    Row{u"building.2.crop.circle", u"location_city"},
    Row{u"building.2.fill", u"apartment"},
    Row{u"building.columns.fill", u"account_balance"},
    Row{u"calendar", u"calendar_today"},
    Row{u"calendar.badge.plus", u"edit_calendar"}, // no calendar with a plus badge
    Row{u"camera.fill", u"photo_camera"},
    Row{u"car.fill", u"directions_car"},
    Row{u"carrot.fill", u"eco"}, // no vegetable glyph: a leaf
    Row{u"cart.fill", u"shopping_cart"},
    Row{u"chart.line.uptrend.xyaxis", u"trending_up"},
    Row{u"chart.pie", u"pie_chart_outline"},
    Row{u"chart.pie.fill", u"pie_chart"},
    Row{u"chart.xyaxis.line", u"show_chart"},
    Row{u"checkmark.circle.fill", u"check_circle"},
    Row{u"chevron.left", u"chevron_left"},
    Row{u"chevron.right", u"chevron_right"},
    Row{u"clock", u"schedule"},
    Row{u"creditcard", u"credit_card"},
    Row{u"creditcard.fill", u"credit_card"},
    Row{u"cross.case.fill", u"medical_services"},
    Row{u"cup.and.saucer.fill", u"coffee"},
    Row{u"diamond.fill", u"diamond"},
    Row{u"drop.fill", u"water_drop"},
    Row{u"envelope.fill", u"mail"},
    Row{u"equal.circle", u"drag_handle"}, // a bare equals sign, no circle
    Row{u"exclamationmark.triangle.fill", u"warning"},
    Row{u"figure.and.child.holdinghands", u"escalator_warning"}, // adult holding a child's hand
    Row{u"figure.run", u"directions_run"},
    Row{u"figure.strengthtraining.traditional", u"fitness_center"}, // a dumbbell
    Row{u"flame.fill", u"local_fire_department"},
    Row{u"fork.knife", u"restaurant"},
    Row{u"fuelpump.fill", u"local_gas_station"},
    Row{u"gamecontroller.fill", u"sports_esports"},
    Row{u"gearshape.fill", u"settings"},
    Row{u"gift.fill", u"card_giftcard"},
    Row{u"graduationcap.fill", u"school"},
    Row{u"hand.raised.fill", u"front_hand"},
    Row{u"hands.and.sparkles.fill", u"clean_hands"},
    Row{u"heart.fill", u"favorite"},
    Row{u"house.fill", u"home"},
    Row{u"key.fill", u"key"},
    Row{u"lamp.table.fill", u"light"}, // a hanging lamp
    Row{u"laptopcomputer", u"laptop"},
    Row{u"list.bullet.rectangle", u"list_alt"},
    Row{u"magnifyingglass", u"search"},
    Row{u"minus", u"remove"},
    Row{u"minus.circle.fill", u"remove_circle"},
    Row{u"music.note", u"music_note"},
    Row{u"number.square.fill", u"pin"}, // digits in a filled square
    Row{u"pawprint.fill", u"pets"},
    Row{u"pencil.and.outline", u"drive_file_rename_outline"},
    Row{u"person.2.fill", u"people"},
    Row{u"phone.fill", u"phone"},
    Row{u"plus", u"add"},
    Row{u"plus.circle.fill", u"add_circle"},
    Row{u"printer.fill", u"print"},
    Row{u"rectangle.grid.2x2.fill", u"dashboard"},
    Row{u"scooter", u"moped"},
    Row{u"shippingbox.fill", u"inventory_2"},
    Row{u"slider.horizontal.3", u"tune"},
    Row{u"sparkles", u"auto_awesome"},
    Row{u"square.and.arrow.down", u"file_download"},
    Row{u"square.and.arrow.up", u"ios_share"},
    Row{u"square.grid.2x2.fill", u"grid_view"},
    Row{u"square.grid.3x3.fill", u"apps"},
    Row{u"star.fill", u"star"},
    Row{u"takeoutbag.and.cup.and.straw.fill", u"takeout_dining"},
    Row{u"target", u"adjust"}, // a ring around a dot
    Row{u"text.bubble.fill", u"chat"},
    Row{u"theatermasks.fill", u"theater_comedy"},
    Row{u"ticket.fill", u"confirmation_number"},
    Row{u"toiletpaper.fill", u"soap"}, // no paper roll: household goods
    Row{u"tram.fill", u"tram"},
    Row{u"trash", u"delete_outline"},
    Row{u"tshirt.fill", u"dry_cleaning"}, // a garment on a hanger
    Row{u"wallet.bifold.fill", u"account_balance_wallet"},
    Row{u"washer.fill", u"local_laundry_service"},
    Row{u"watermelon.fill", u"local_pizza"}, // no fruit glyph: a wedge with seeds
    Row{u"wineglass.fill", u"wine_bar"},
    Row{u"wrench.and.screwdriver.fill", u"handyman"},
    Row{u"xmark", u"close"},
};

static_assert(std::ranges::is_sorted(table, {}, &Row::symbol), "keep the icon table sorted");
static_assert(std::ranges::adjacent_find(table, {}, &Row::symbol) == table.end(), "one row per symbol");

// Drawn for any symbol without a row.
constexpr std::u16string_view fallbackLigature = u"category";

const Row *find(const QString &symbol)
{
    const std::u16string_view key(QStringView(symbol).utf16(), size_t(symbol.size()));
    const auto it = std::ranges::lower_bound(table, key, {}, &Row::symbol);
    return it != table.end() && it->symbol == key ? &*it : nullptr;
}

QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

// The family registered by the font file, or the system's copy when the file was already
// known to fontconfig and could not be added again.
const QString &fontFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            u"/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf"_s);
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        if (!families.isEmpty())
            return families.constFirst();
        return QFontDatabase::hasFamily(u"Material Icons"_s) ? u"Material Icons"_s : QString();
    }();
    return family;
}

} // namespace

bool Icon::ensureFontLoaded()
{
    return !fontFamily().isEmpty();
}

QString Icon::glyphName(const QString &symbol)
{
    const Row *row = find(symbol);
    return toQString(row ? row->ligature : fallbackLigature);
}

bool Icon::isMapped(const QString &symbol)
{
    return find(symbol) != nullptr;
}

QFont Icon::font(int pixelSize)
{
    QFont f(ensureFontLoaded() ? fontFamily() : u"Material Icons"_s);
    f.setPixelSize(pixelSize);
    // A ligature must come from the icon font alone, never spelled out by a fallback font.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferAntialias));
    return f;
}

namespace {

QPixmap render(const QString &symbol, const QColor &colour, int size, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int side = qMax(1, qRound(size * ratio));
    QPixmap pm(side, side);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    if (size <= 0)
        return pm;

    QPainter painter(&pm);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const qreal logical = side / ratio;
    if (!Icon::ensureFontLoaded()) {
        // Without the icon font a plain dot keeps the layout readable instead of letters.
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const qreal radius = logical / 6;
        painter.drawEllipse(QPointF(logical / 2, logical / 2), radius, radius);
        return pm;
    }

    // Every glyph of the font is designed on a square em box sitting on the baseline;
    // centring that box (rather than the ink) keeps arrows and badges where they belong.
    const QFont f = Icon::font(size);
    const QFontMetricsF metrics(f);
    const QString text = Icon::glyphName(symbol);
    const qreal x = (logical - metrics.horizontalAdvance(text)) / 2;
    const qreal baseline = (logical - metrics.ascent() - metrics.descent()) / 2 + metrics.ascent();
    painter.setFont(f);
    painter.setPen(colour);
    painter.drawText(QPointF(x, baseline), text);
    return pm;
}

} // namespace

QPixmap Icon::pixmap(const QString &symbol, const QColor &colour, int size, qreal devicePixelRatio)
{
    // Lists paint the same few icons on every repaint; drawing text glyphs each time shows.
    const QString key =
        u"icon:%1:%2:%3:%4"_s.arg(symbol, colour.name(QColor::HexArgb)).arg(size).arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    cached = render(symbol, colour, size, devicePixelRatio);
    QPixmapCache::insert(key, cached);
    return cached;
}

QIcon Icon::icon(const QString &symbol, const QColor &colour, int size)
{
    QIcon result;
    result.addPixmap(pixmap(symbol, colour, size, 1.0));
    result.addPixmap(pixmap(symbol, colour, size, 2.0));
    return result;
}
