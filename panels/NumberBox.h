#pragma once

#include <QSpinBox>

// A spin box whose arrows keep to its range but whose text takes any whole
// number the owner types, so a value outside the range is clamped when it is
// sent rather than refused while typing.
class NumberBox : public QSpinBox {
    Q_OBJECT
public:
    explicit NumberBox(QWidget *parent = nullptr);

    QString editText() const;
    void setEditText(const QString &text);

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
};
