#pragma once

#include <QAbstractListModel>
#include <QFont>
#include "search/rigariepilogo.h"

#include <QStringList>

// The entries of a result list. The whole list is handed over at once, so a
// list of a hundred thousand lines is laid out once, not re-sorted at each
// insertion; a line becomes text only when the view asks for it. Every entry is drawn in Courier New 12, black, whatever the
// style says, and may be given a fixed width so that the list scrolls
// sideways over the long lines.
class ModelloRighe : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit ModelloRighe(QObject *parent = nullptr);

    void impostaRighe(ElencoRighe righe);
    void svuota();
    const ElencoRighe &righe() const { return m_righe; }
    // 0 leaves the width to the text.
    void impostaLarghezzaVoci(int larghezza);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &indice, int ruolo = Qt::DisplayRole) const override;

private:
    ElencoRighe m_righe;
    QFont m_carattere;
    int m_larghezza = 0;
    mutable int m_altezza = 0;
};
