// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

// Ends the process as soon as a window has painted once: start-up measurements time the
// launch to the first painted screen and must not also time tearing the records down.
class FirstPaintExit final : public QObject {
    Q_OBJECT

public:
    // Watches window when the arguments ask for it; does nothing otherwise.
    static void watch(QWidget &window, const QStringList &arguments);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit FirstPaintExit(QObject *parent) : QObject(parent) {}
    bool m_painted = false;
};
