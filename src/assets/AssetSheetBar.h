#pragma once

#include <QHBoxLayout>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;

// The top row of the read-and-manage sheets: "关闭" on the leading side, the title, then the
// sheet's own actions on the trailing side. "关闭" rejects the dialog, as Escape does.
class AssetSheetBar final : public QHBoxLayout {
    Q_OBJECT

public:
    AssetSheetBar(const QString &title, QDialog *sheet);

    void addAction(QPushButton *button);
    QPushButton *closeButton() const { return m_close; }
    QLabel *titleLabel() const { return m_title; }

private:
    QPushButton *m_close;
    QLabel *m_title;
};
