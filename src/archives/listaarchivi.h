#pragma once

#include <QListWidget>

// The list of the open-archive window. Its current entry and its selection
// always agree: an entry that is not selected is never current, so no entry
// wears the focus frame that reads as a selection while nothing is
// selected. Taking the focus leaves the list as it is (the toolkit would
// make the first entry current); the first arrow key then selects the first
// entry. The focus shows on the list's border.
class ListaArchivi : public QListWidget
{
public:
    explicit ListaArchivi(QWidget *genitore);

protected:
    void focusInEvent(QFocusEvent *evento) override;
    void selectionChanged(const QItemSelection &scelte, const QItemSelection &tolte) override;

private:
    void senzaCorrenteSeNullaScelto();
};
