#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>

class QThread;

// One page of a searchable PDF: its scan and the title its bookmark shows.
struct PaginaPdf {
    QString scansione;
    QString titolo;
};

// Adds to a finished PDF a bookmark for each of its pages, in order, named
// by the titles given (one per page), as an update appended to the file:
// what was written stays byte for byte. False when the file is not a PDF
// of the expected form or cannot be written.
bool aggiungiSegnalibri(const QString &percorsoPdf, const QStringList &titoli);

// The searchable PDF of an archive, made on a thread of its own: each scan
// as it is, with an invisible layer of the recognised text over it, so
// that viewers find and copy the words; the archive's name as the title.
// The file is written beside the destination under another name and takes
// the destination's name only when complete: a cancelled or failed export
// leaves nothing behind, nor touches a file already there.
class EsportazionePdf : public QObject
{
    Q_OBJECT
public:
    EsportazionePdf(const QVector<PaginaPdf> &pagine, const QString &titolo, const QString &destinazione,
                    const QString &cartellaDati = QString(), QObject *parent = nullptr);
    ~EsportazionePdf() override;

    void avvia();
    void annulla();

    // The file written while the export runs.
    static QString percorsoProvvisorio(const QString &destinazione);

signals:
    void avanzamento(int fatte, int totale);
    // riuscita false: messaggio says why, empty when cancelled.
    void finita(bool riuscita, const QString &messaggio);

private:
    QString esporta();

    QVector<PaginaPdf> m_pagine;
    QString m_titolo;
    QString m_destinazione;
    QString m_cartellaDati;
    std::atomic_bool m_annulla{false};
    QThread *m_thread = nullptr;
};

extern const QString kMessaggioPdfNonScritto;
extern const QString kMessaggioPdfSenzaPagine;
