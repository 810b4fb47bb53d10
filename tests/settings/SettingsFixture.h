// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"

#include "reminder/ReminderManager.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace TestSupport {

// A store file, a temporary folder set as TMPDIR (where an export must leave nothing), and a
// reminder manager on a settings file of its own whose platform always grants and counts what it schedules.
class SettingsFixture : public StoreFixture {
protected:
    class GrantingPlatform final : public ReminderPlatform {
    public:
        int added = 0;
        void requestAuthorization(std::function<void(bool)> answer) override { answer(true); }
        void add(const ReminderRequest &) override { ++added; }
        void removeAllPending() override {}
    };

    bool openSettings()
    {
        if (!openStore(local(2024, 3, 20, 10, 0)))
            return false;
        m_temp = std::make_unique<QTemporaryDir>();
        m_previousTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(m_temp->path()));
        m_settings = std::make_unique<QSettings>(m_temp->filePath(QStringLiteral("settings.conf")),
                                                 QSettings::IniFormat);
        m_reminder = std::make_unique<ReminderManager>(*m_settings, m_platform);
        return m_temp->isValid();
    }

    void closeSettings()
    {
        qputenv("TMPDIR", m_previousTemp);
        m_reminder.reset();
        m_settings.reset();
        m_temp.reset();
        closeStore();
    }

    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    GrantingPlatform m_platform;
    std::unique_ptr<QTemporaryDir> m_temp;
    QByteArray m_previousTemp;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<ReminderManager> m_reminder;
};

} // namespace TestSupport
