#pragma once

#include "search/rigariepilogo.h"
#include "storage/archiviopagine.h"
#include "storage/schedapagina.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The criteria of one search. A typed text is a criterion when it is not
// blank once trimmed; it is then sought exactly as typed, blanks at its ends
// included, inside the stored text of its field (not trimmed either), with
// only A-Z folded onto a-z. A record qualifies when every criterion occurs;
// with no criterion every record qualifies.
class CriteriRicerca
{
public:
    void aggiungi(Campo campo, const QString &testo);
    int conta() const { return int(m_criteri.size()); }
    bool soddisfatti(const TSchedaPagina &scheda) const;

private:
    struct Criterio {
        int offset;
        int capacita;
        // The lower-cased text in the file's code page. A text holding a
        // character the code page lacks can occur in no stored field.
        QByteArray cercato;
        bool possibile;
    };
    QVector<Criterio> m_criteri;
};

// Whether the record is flagged as still to be completed: its flag, trimmed,
// is exactly "Sì".
bool daCompletare(const TSchedaPagina &scheda);

// Appends the summary lines of the records the filter accepts, in file order
// (the list sorts them once, when it takes them all). A walk that fails
// part-way leaves the lines added so far.
void righeRiepilogo(const PercorsoSchede &percorso, const std::function<bool(const TSchedaPagina &)> &filtro,
                    ElencoRighe &righe);
