// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

const QLocale &ProgramLocale::chinese()
{
    static const QLocale locale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
    return locale;
}

void ProgramLocale::applyWhenUnset()
{
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(chinese());
}

bool ProgramLocale::installQtTranslations(QCoreApplication &app)
{
    // The screens are Chinese whatever the session's language, so Qt's texts follow them, not
    // the session. "qtbase" holds the widgets' and dialogs' texts.
    auto *translator = new QTranslator(&app);
    if (!translator->load(chinese(), u"qtbase"_s, u"_"_s,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
