#include "ProgramLocale.h"

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
