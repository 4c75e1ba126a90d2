#pragma once

#include <QString>
#include <QValidator>

// Keeps a single-line box to what a Windows-1252 character field stores, so
// that what the box shows is what is saved: a character that the code page
// cannot hold makes the edit that brought it invalid (the box undoes it, and
// the character is kept for takeRefused()); a control character such as a
// pasted line break or tab, which the box shows as a blank, becomes that
// blank.
class Win1252Validator : public QValidator {
public:
    explicit Win1252Validator(QObject* parent);

    State validate(QString& input, int& pos) const override;

    // The character that the latest validation refused, forgotten once
    // taken; "" when it refused none.
    QString takeRefused();

private:
    mutable QString m_refused;
};
