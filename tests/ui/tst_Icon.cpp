// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "app/Workspace.h"
#include "fixedassets/FixedAssetCategory.h"
#include "model/EntryKind.h"
#include "model/LedgerCategories.h"
#include "ui/Icon.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every symbol name a screen draws.
const QStringList usedSymbols{
    u"airplane"_s,
    u"arrow.counterclockwise.circle.fill"_s,
    u"arrow.down.left"_s,
    u"arrow.down.right"_s,
    u"arrow.left.arrow.right"_s,
    u"arrow.up.right"_s,
    u"arrow.uturn.left.circle.fill"_s,
    u"bag.fill"_s,
    u"banknote.fill"_s,
    u"basket.fill"_s,
    u"birthday.cake.fill"_s,
    u"bolt.fill"_s,
    u"book.closed.fill"_s,
    u"books.vertical.fill"_s,
    u"briefcase.fill"_s,
    u"building.2.crop.circle"_s,
    u"building.2.fill"_s,
    u"building.columns.fill"_s,
    u"calendar"_s,
    u"calendar.badge.plus"_s,
    u"camera.fill"_s,
    u"car.fill"_s,
    u"carrot.fill"_s,
    u"cart.fill"_s,
    u"chart.line.uptrend.xyaxis"_s,
    u"chart.pie"_s,
    u"chart.pie.fill"_s,
    u"chart.xyaxis.line"_s,
    u"checkmark.circle.fill"_s,
    u"chevron.left"_s,
    u"chevron.right"_s,
    u"clock"_s,
    u"creditcard"_s,
    u"creditcard.fill"_s,
    u"cross.case.fill"_s,
    u"cup.and.saucer.fill"_s,
    u"diamond.fill"_s,
    u"drop.fill"_s,
    u"envelope.fill"_s,
    u"equal.circle"_s,
    u"exclamationmark.triangle.fill"_s,
    u"figure.and.child.holdinghands"_s,
    u"figure.run"_s,
    u"figure.strengthtraining.traditional"_s,
    u"flame.fill"_s,
    u"fork.knife"_s,
    u"fuelpump.fill"_s,
    u"gamecontroller.fill"_s,
    u"gearshape.fill"_s,
    u"gift.fill"_s,
    u"graduationcap.fill"_s,
    u"hand.raised.fill"_s,
    u"hands.and.sparkles.fill"_s,
    u"heart.fill"_s,
    u"house.fill"_s,
    u"key.fill"_s,
    u"lamp.table.fill"_s,
    u"laptopcomputer"_s,
    u"list.bullet.rectangle"_s,
    u"magnifyingglass"_s,
    u"minus"_s,
    u"minus.circle.fill"_s,
    u"music.note"_s,
    u"number.square.fill"_s,
    u"pawprint.fill"_s,
    u"pencil.and.outline"_s,
    u"person.2.fill"_s,
    u"phone.fill"_s,
    u"plus"_s,
    u"plus.circle.fill"_s,
    u"printer.fill"_s,
    u"rectangle.grid.2x2.fill"_s,
    u"scooter"_s,
    u"shippingbox.fill"_s,
    u"slider.horizontal.3"_s,
    u"sparkles"_s,
    u"square.and.arrow.up"_s,
    u"square.grid.2x2.fill"_s,
    u"square.grid.3x3.fill"_s,
    u"star.fill"_s,
    u"takeoutbag.and.cup.and.straw.fill"_s,
    u"target"_s,
    u"text.bubble.fill"_s,
    u"theatermasks.fill"_s,
    u"ticket.fill"_s,
    u"toiletpaper.fill"_s,
    u"tram.fill"_s,
    u"trash"_s,
    u"tshirt.fill"_s,
    u"wallet.bifold.fill"_s,
    u"washer.fill"_s,
    u"watermelon.fill"_s,
    u"wineglass.fill"_s,
    u"wrench.and.screwdriver.fill"_s,
    u"xmark"_s,
};

// The ligature names the installed font package lists.
QSet<QString> fontLigatures()
{
    QFile file(u"/usr/share/fonts-material-design-icons-iconfont/scss/_variables.scss"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression row(uR"re("([a-z0-9_]+)":\s*[0-9a-f]{4,5}\b)re"_s);
    QSet<QString> names;
    for (const auto &match : row.globalMatch(text))
        names.insert(match.captured(1));
    return names;
}

// Bounding box of the pixels with any ink, in device pixels.
QRect inkRect(const QPixmap &pm)
{
    const QImage image = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

class IconTest final : public QObject {
    Q_OBJECT
    QSet<QString> m_ligatures;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(Icon::ensureFontLoaded());
        m_ligatures = fontLigatures();
        QVERIFY2(m_ligatures.size() > 1000, "ligature list of the icon font not found");
    }

    void drawsAGlyph_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<bool>("mapped");
        for (const QString &symbol : usedSymbols)
            QTest::newRow(qPrintable(symbol)) << symbol << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("unknown") << u"no.such.symbol"_s << false;
        QTest::newRow("case differs") << u"Fork.Knife"_s << false;
        QTest::newRow("trailing blank") << u"plus "_s << false;
        QTest::newRow("prefix of a name") << u"chart"_s << false;
    }

    // Each symbol names a real ligature, and the font shapes it into one em-wide glyph
    // instead of spelling the letters out.
    void drawsAGlyph()
    {
        QFETCH(QString, symbol);
        QFETCH(bool, mapped);
        QCOMPARE(Icon::isMapped(symbol), mapped);
        const QString ligature = Icon::glyphName(symbol);
        QVERIFY2(m_ligatures.contains(ligature), qPrintable(ligature));
        QCOMPARE(QFontMetricsF(Icon::font(48)).horizontalAdvance(ligature), 48.0);
        QVERIFY(!inkRect(Icon::pixmap(symbol, Qt::black, 24)).isEmpty());
    }

    // The model hands out these names; a row missing here would draw the fallback glyph.
    void modelSymbolsAreMapped()
    {
        QStringList symbols{QString::fromUtf16(LedgerCategories::fallbackIcon)};
        for (const QString &category : LedgerCategories::expenses() + LedgerCategories::incomes())
            symbols << LedgerCategories::icon(category);
        for (EntryKind kind : EntryKinds::allCases())
            symbols << EntryKinds::symbol(kind);
        for (Workspace workspace : Workspaces::allCases())
            symbols << Workspaces::icon(workspace);
        for (const QString &category : FixedAssetCategory::all())
            symbols << FixedAssetCategory::icon(category);
        for (const QString &symbol : symbols)
            QVERIFY2(Icon::isMapped(symbol), qPrintable(symbol));
    }

    void pixmapGeometry_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("side");
        QTest::newRow("20 at 1x") << 20 << 1.0 << 20;
        QTest::newRow("20 at 2x") << 20 << 2.0 << 40;
        QTest::newRow("16 at 1.5x") << 16 << 1.5 << 24;
        QTest::newRow("odd size at 1.25x") << 33 << 1.25 << 41;
        QTest::newRow("tiny at 3x") << 6 << 3.0 << 18;
    }

    // The pixmap has the requested logical size and ratio, and a symmetric glyph sits in
    // the middle with the font's margin left clear on every side.
    void pixmapGeometry()
    {
        QFETCH(int, size);
        QFETCH(qreal, ratio);
        QFETCH(int, side);
        const QColor colour(0x58, 0x56, 0xd6);
        const QPixmap pm = Icon::pixmap(u"plus"_s, colour, size, ratio);
        QCOMPARE(pm.size(), QSize(side, side));
        QCOMPARE(pm.devicePixelRatio(), ratio);
        QCOMPARE(pm.deviceIndependentSize(), QSizeF(side / ratio, side / ratio));

        const QRect ink = inkRect(pm);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(ink.left() > 0 && ink.top() > 0 && ink.right() < side - 1 && ink.bottom() < side - 1,
                 "glyph touches the edge");
        QVERIFY(qAbs(ink.left() - (side - 1 - ink.right())) <= 1);
        QVERIFY(qAbs(ink.top() - (side - 1 - ink.bottom())) <= 1);

        // Drawn in the requested colour: the solid stroke through the middle carries it.
        const QImage image = pm.toImage().convertToFormat(QImage::Format_ARGB32);
        const QRgb centre = image.pixel(ink.center());
        QVERIFY(qAlpha(centre) >= 192);
        QVERIFY(qAbs(qRed(centre) - colour.red()) <= 2);
        QVERIFY(qAbs(qGreen(centre) - colour.green()) <= 2);
        QVERIFY(qAbs(qBlue(centre) - colour.blue()) <= 2);
    }
};

PENNYLOOM_TEST(IconTest)
#include "tst_Icon.moc"
