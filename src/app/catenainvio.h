#pragma once

#include <QList>

class QWidget;

// Enter chaining: Enter in a field moves the focus to its fixed successor.
// The key is not consumed, so a window's own handler still sees it.
void collegaInvio(QWidget *campo, QWidget *successivo);
// Chains the fields in order; with ciclo, the last leads back to the first.
void collegaInvio(const QList<QWidget *> &ordine, bool ciclo);
