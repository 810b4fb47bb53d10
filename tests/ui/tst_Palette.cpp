// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "ui/Palette.h"

#include <QTest>

#include <array>
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

// Distance in CIELAB (1976): about 2 is the least difference the eye notices; 20 apart, two
// colours read as different colours, not shades of one.
double labDistance(const QColor &a, const QColor &b)
{
    const auto lab = [](const QColor &colour) {
        const auto linear = [](double c) {
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        const double red = linear(colour.redF()), green = linear(colour.greenF()),
                     blue = linear(colour.blueF());
        const auto f = [](double t) {
            return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
        };
        const double x = f((0.4124 * red + 0.3576 * green + 0.1805 * blue) / 0.95047);
        const double y = f(0.2126 * red + 0.7152 * green + 0.0722 * blue);
        const double z = f((0.0193 * red + 0.1192 * green + 0.9505 * blue) / 1.08883);
        return std::array<double, 3>{116 * y - 16, 500 * (x - y), 200 * (y - z)};
    };
    const std::array<double, 3> p = lab(a), q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
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

    // Every sector hue stands out from the card as a graphic must, and no two are alike.
    void chartHuesApart()
    {
        for (bool dark : {false, true}) {
            Palette::setDark(dark);
            const auto &hues = Palette::chartHues();
            for (size_t i = 0; i < hues.size(); ++i) {
                const double ratio = contrast(hues[i], Palette::controlBackground());
                QVERIFY2(ratio >= 3.0, qPrintable(u"%1: %2"_s.arg(hues[i].name()).arg(ratio)));
                for (size_t j = i + 1; j < hues.size(); ++j)
                    QVERIFY2(labDistance(hues[i], hues[j]) >= 20,
                             qPrintable(hues[i].name() + u" and "_s + hues[j].name()));
            }
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
