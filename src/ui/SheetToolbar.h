#pragma once

#include <QHBoxLayout>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;

// The top row of a sheet: "取消" on the leading side, the title in the middle and the
// confirming action on the trailing side. The confirming button is the default, so Return
// confirms while it is enabled; "取消" rejects the dialog.
class SheetToolbar final : public QHBoxLayout {
    Q_OBJECT

public:
    SheetToolbar(const QString &title, const QString &confirmText, QDialog *sheet);

    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *confirmButton() const { return m_confirm; }
    QLabel *titleLabel() const { return m_title; }

private:
    QPushButton *m_cancel;
    QLabel *m_title;
    QPushButton *m_confirm;
};
