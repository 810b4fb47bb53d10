#include "BudgetTone.h"

#include "ui/Palette.h"

QColor BudgetTones::colour(BudgetTone tone)
{
    switch (tone) {
    case BudgetTone::indigo:
        return Palette::indigo();
    case BudgetTone::orange:
        return Palette::warning();
    case BudgetTone::red:
        return Palette::over();
    case BudgetTone::secondary:
        break;
    }
    return Palette::secondaryText();
}
