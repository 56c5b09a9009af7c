#include "archives/listaarchivi.h"

ListaArchivi::ListaArchivi(QWidget *genitore)
    : QListWidget(genitore)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ListaArchivi::focusInEvent(QFocusEvent *evento)
{
    QListWidget::focusInEvent(evento);
    senzaCorrenteSeNullaScelto();
}

void ListaArchivi::selectionChanged(const QItemSelection &scelte, const QItemSelection &tolte)
{
    QListWidget::selectionChanged(scelte, tolte);
    senzaCorrenteSeNullaScelto();
}

void ListaArchivi::senzaCorrenteSeNullaScelto()
{
    if (selectionModel() && !selectionModel()->hasSelection() && currentIndex().isValid())
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}
