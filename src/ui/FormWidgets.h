// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

class QComboBox;
class QDateEdit;
class QLabel;
class QLayout;
class QLineEdit;
class QWidget;
enum class PeriodChoice;

// Small pieces shared by the entry forms.
class Card;
class QFormLayout;

namespace FormWidgets {

// The rounded card that holds a sheet's labelled fields, and the form laid out in it.
struct FormCard {
    Card *card;
    QFormLayout *form;
};
FormCard formCard(QWidget *parent);

// A small dimmed caption above its control.
QLayout *captioned(const QString &caption, QWidget *control);
// A date-only picker with a calendar pop-up.
QDateEdit *datePicker(QWidget *parent);
// Shows a day the model chose, without reporting it back as the user's choice.
void showDay(QDateEdit *picker, QDate day);
// The caption of the one date picker of a day, week or month period: "选择日期", "选择所在周"
// or "选择所在月".
QString periodDayCaption(PeriodChoice choice);
// A one-line field whose prompt is its placeholder and its accessible name (it has no caption of
// its own), at the forms' field height. Returns the field.
QLineEdit *prompted(QLineEdit *field, const QString &prompt);
// Fields stand taller than the style's least, for the forms' open look. Their height is given
// in lines of the forms' text, so it grows with the font and never falls below the style's
// size hint. A field with a larger font of its own (an amount) still counts the forms' lines.
constexpr qreal fieldLines = 1.7;
constexpr qreal entryFieldLines = 2.0;
constexpr qreal sentenceFieldLines = 2.2;
void setFieldHeight(QWidget *field, qreal lines = fieldLines);
// Sets the text only when it differs, so the cursor does not jump while the user types.
void setText(QLineEdit *field, const QString &text);
// Fills a category menu with the names and shows the current one. A current name that is not
// in the list (an older entry's category) stays shown, without being offered in the menu.
void showCategories(QComboBox *menu, const QStringList &names, const QString &current);

} // namespace FormWidgets
