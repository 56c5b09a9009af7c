#pragma once

#include <QStringList>

class QWidget;

// The instance names of the eleven dialogs ("frmGuida", ...), in the order
// of the window set.
const QStringList &nomiDialoghi();

// A dialog by its instance name, made as its opener makes it: owned by the
// given window, on the test's context. Null for a name that is no dialog.
QWidget *creaDialogo(const QString &nome, QWidget *proprietario);
