#pragma once

#include <QString>

class QFrame;
class QLineEdit;

// Creates the focus halo of a text field: a yellow rectangle with a
// yellow-to-white border, 4 pixels larger than the field on every side,
// behind it, shown only while the field has the focus. The halo is a
// sibling of the field, named as given (effPassword, effCampo01, ...).
QFrame *creaAloneFuoco(QLineEdit *campo, const QString &nome);
