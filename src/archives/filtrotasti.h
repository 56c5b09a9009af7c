#pragma once

#include <QObject>

// The key filter of the archive name field: a typed character that a file
// name may not hold never reaches the field. Composed input (dead keys,
// input methods) is typed too and is filtered the same way; pasted text is
// not, and is checked when the archive is created.
class FiltroTastiNome : public QObject
{
    Q_OBJECT
public:
    explicit FiltroTastiNome(QObject *campo);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;
};
