#include "TestRegistry.h"

#include "ui/Palette.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Relative luminance and contrast ratio as the web accessibility guidelines define them.
double luminance(const QColor &colour)
{
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

// A translucent colour is judged as it shows over the background.
QColor over(const QColor &top, const QColor &bottom)
{
    const double a = top.alphaF();
    return QColor::fromRgbF(static_cast<float>(top.redF() * a + bottom.redF() * (1 - a)),
                            static_cast<float>(top.greenF() * a + bottom.greenF() * (1 - a)),
                            static_cast<float>(top.blueF() * a + bottom.blueF() * (1 - a)));
}

double contrast(const QColor &text, const QColor &background)
{
    const double a = luminance(over(text, background));
    const double b = luminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace

// Every text colour stays readable on every surface it is drawn on, in both schemes.
class PaletteTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Palette::setDark(false); }

    void textIsReadable_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("role");
        QTest::addColumn<double>("minimum");

        for (bool dark : {false, true}) {
            const QString scheme = dark ? u"dark "_s : u"light "_s;
            // Body text at the normal level; figures in colour and captions at the level for
            // large or secondary text; hints at the level for non-text marks.
            QTest::newRow(qPrintable(scheme + u"primary"_s)) << dark << u"primary"_s << 7.0;
            QTest::newRow(qPrintable(scheme + u"secondary"_s)) << dark << u"secondary"_s << 4.5;
            QTest::newRow(qPrintable(scheme + u"indigo"_s)) << dark << u"indigo"_s << 3.0;
            QTest::newRow(qPrintable(scheme + u"income"_s)) << dark << u"income"_s << 3.0;
            QTest::newRow(qPrintable(scheme + u"over"_s)) << dark << u"over"_s << 3.0;
            QTest::newRow(qPrintable(scheme + u"warning"_s)) << dark << u"warning"_s << 2.0;
            QTest::newRow(qPrintable(scheme + u"tertiary"_s)) << dark << u"tertiary"_s << 2.0;
        }
    }

    void textIsReadable()
    {
        QFETCH(bool, dark);
        QFETCH(QString, role);
        QFETCH(double, minimum);
        Palette::setDark(dark);
        const QColor text = role == u"primary"_s     ? Palette::primaryText()
                            : role == u"secondary"_s ? Palette::secondaryText()
                            : role == u"indigo"_s    ? Palette::indigo()
                            : role == u"income"_s    ? Palette::income()
                            : role == u"over"_s      ? Palette::over()
                            : role == u"warning"_s   ? Palette::warning()
                                                     : Palette::tertiaryText();
        for (const QColor &surface :
             {Palette::windowBackground(), Palette::controlBackground(), Palette::sidebarBackground()}) {
            const double ratio = contrast(text, surface);
            QVERIFY2(ratio >= minimum,
                     qPrintable(u"%1 on %2: %3"_s.arg(text.name(), surface.name()).arg(ratio)));
        }
    }

    void textOnAccentIsReadable()
    {
        for (bool dark : {false, true}) {
            Palette::setDark(dark);
            QVERIFY(contrast(Palette::onAccent(), Palette::indigo()) >= 3.0);
        }
    }

    void schemesDiffer()
    {
        Palette::setDark(false);
        const QColor light = Palette::windowBackground();
        Palette::setDark(true);
        QVERIFY(Palette::windowBackground().lightness() < 64);
        QVERIFY(light.lightness() > 192);
    }
};

PENNYLOOM_TEST(PaletteTest)
#include "tst_Palette.moc"
