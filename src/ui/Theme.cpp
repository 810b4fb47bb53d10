// SPDX-License-Identifier: GPL-3.0-or-later
#include "Theme.h"

#include "Icon.h"
#include "Palette.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

using namespace Qt::StringLiterals;

namespace {

// The freedesktop appearance setting: 1 prefers dark, 2 prefers light, 0 has no preference.
// std::nullopt when no portal answers.
std::optional<uint> portalColourScheme()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    QDBusInterface settings(u"org.freedesktop.portal.Desktop"_s, u"/org/freedesktop/portal/desktop"_s,
                            u"org.freedesktop.portal.Settings"_s, bus);
    // A missing portal must not hold up the first window.
    settings.setTimeout(400);
    const QDBusReply<QDBusVariant> reply =
        settings.call(u"Read"_s, u"org.freedesktop.appearance"_s, u"color-scheme"_s);
    if (!reply.isValid())
        return std::nullopt;
    QVariant value = reply.value().variant();
    // The value arrives wrapped in one more variant.
    if (value.canConvert<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    return ok ? std::optional<uint>(scheme) : std::nullopt;
}

} // namespace

bool Theme::desktopPrefersDark()
{
    const QString chosen = qEnvironmentVariable("PENNYLOOM_COLOR_SCHEME").trimmed().toLower();
    if (chosen == u"dark"_s)
        return true;
    if (chosen == u"light"_s)
        return false;
    if (const std::optional<uint> scheme = portalColourScheme(); scheme && *scheme != 0)
        return *scheme == 1;
    if (qEnvironmentVariable("GTK_THEME").endsWith(u":dark"_s, Qt::CaseInsensitive))
        return true;
    // A platform theme (a KDE session, say) hands Qt its own palette.
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

void Theme::apply()
{
    applyScheme(desktopPrefersDark());

    QFont font(u"Noto Sans CJK SC"_s);
    font.setPointSizeF(10.5);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);

    Icon::ensureFontLoaded();
}

void Theme::applyScheme(bool dark)
{
    Palette::setDark(dark);
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));

    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, Palette::windowBackground());
    palette.setColor(QPalette::WindowText, Palette::primaryText());
    palette.setColor(QPalette::Base, Palette::controlBackground());
    palette.setColor(QPalette::AlternateBase, Palette::alternateBackground());
    palette.setColor(QPalette::Text, Palette::primaryText());
    palette.setColor(QPalette::Button, Palette::controlBackground());
    palette.setColor(QPalette::ButtonText, Palette::primaryText());
    palette.setColor(QPalette::ToolTipBase, Palette::controlBackground());
    palette.setColor(QPalette::ToolTipText, Palette::primaryText());
    palette.setColor(QPalette::Highlight, Palette::indigo());
    palette.setColor(QPalette::HighlightedText, Palette::onAccent());
    palette.setColor(QPalette::Link, Palette::indigo());
    palette.setColor(QPalette::PlaceholderText, Palette::secondaryText());
    palette.setColor(QPalette::Mid, Palette::controlBorder());
    palette.setColor(QPalette::Disabled, QPalette::Highlight, Palette::disabledFill());
    palette.setColor(QPalette::Disabled, QPalette::Text, Palette::disabledText());
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Palette::disabledText());
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, Palette::disabledText());
    QApplication::setPalette(palette);
}
