#pragma once

#include "output/fileesportazione.h"
#include "storage/schedapagina.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVector>

#include <functional>
#include <map>

// The export grid over an archive file. It keeps the file's path and its
// record count, and decodes only the rows a view asks for, from a few
// blocks of records read on demand: a grid over a hundred thousand records
// costs a few megabytes. What the user types in a cell is kept beside the
// archive, never written to it.
class ModelloEsportazione : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ModelloEsportazione(QObject *parent = nullptr);

    // Takes the archive as it is now: opens it for reading (creating a
    // missing file empty), counts its records and closes it. An archive that
    // cannot be opened gives an empty grid, silently, and no export.
    // Typed cells are forgotten.
    void carica(const QString &percorsoArchivio);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &indice, int ruolo = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &indice, const QVariant &valore, int ruolo = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &indice) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo = Qt::DisplayRole) const override;

    // The text a cell shows: the typed one, or the stored field trimmed.
    QString testo(int riga, int colonna) const;

    // Every row of the grid in order, columns 1 to 22, streamed from the
    // archive one block at a time. Throws ErroreArchivio when the archive
    // cannot be read now or could not be when the grid was filled.
    void perOgniRiga(const std::function<void(const CelleRiga &)> &visita) const;

private:
    struct Blocco {
        int primaRiga = -1;
        QVector<TSchedaPagina> schede; // fewer than a block when reading stopped
    };

    // The stored record behind a row, or nullptr when it could not be read.
    const TSchedaPagina *scheda(int riga) const;
    const Blocco &blocco(int primaRiga) const;

    QString m_archivio;
    int m_righe = 0;
    bool m_illeggibile = false;
    std::map<int, std::map<int, QString>> m_digitate; // row -> column -> text
    mutable QVector<Blocco> m_blocchi;               // most recently used first
};

// The user stopped an export part-way.
class EsportazioneAnnullata
{
};

// Writes the grid to the spreadsheet file. After each row avanzamento, when
// given, hears how many rows are written; answering false stops the export
// with EsportazioneAnnullata. Throws that, ErroreEsportazione or
// ErroreArchivio; whichever, an earlier file is left as it was and nothing
// is left beside it.
void esportaGriglia(const ModelloEsportazione &modello, const QString &percorsoFile,
                    const std::function<bool(int)> &avanzamento = {},
                    const ChiamateDisco &chiamate = chiamateDiSistema());
