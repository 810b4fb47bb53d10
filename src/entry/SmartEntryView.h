// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SmartEntryModel.h"

#include "ui/Sheet.h"

class EmptyState;
class ModelStore;
class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QWidget;

// "大白话记账": one typed sentence becomes an editable draft, which is stored dated now.
class SmartEntryView final : public Sheet {
    Q_OBJECT

public:
    explicit SmartEntryView(ModelStore &store, QWidget *parent = nullptr);

    SmartEntryModel &model() { return m_model; }
    QLineEdit *sentenceField() const { return m_sentence; }
    QPushButton *recognizeButton() const { return m_recognize; }
    QPushButton *closeButton() const { return cancelButton(); }
    QWidget *draftCard() const { return m_card; }
    EmptyState *emptyState() const { return m_empty; }
    QComboBox *kindMenu() const { return m_kind; }
    QLineEdit *amountField() const { return m_amount; }
    QComboBox *categoryMenu() const { return m_category; }
    QLineEdit *noteField() const { return m_note; }
    // The draft card's button, not a default one: Return in the sentence recognises it again
    // rather than storing the draft.
    QPushButton *confirmButton() const { return m_confirm; }

private:
    QWidget *buildCard();
    void refresh();
    void confirm();

    ModelStore &m_store;
    SmartEntryModel m_model;
    QLineEdit *m_sentence;
    QPushButton *m_recognize;
    QStackedWidget *m_area;
    EmptyState *m_empty;
    QWidget *m_card = nullptr;
    QComboBox *m_kind = nullptr;
    QLineEdit *m_amount = nullptr;
    QComboBox *m_category = nullptr;
    QLineEdit *m_note = nullptr;
    QPushButton *m_confirm = nullptr;
};
