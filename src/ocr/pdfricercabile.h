#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>

class QThread;

// One page of a searchable PDF: its scan, the title its bookmark shows and
// the record's position, which names the page when it has to be left out.
struct PaginaPdf {
    QString scansione;
    QString titolo;
    int posizione = 0;
};

// Adds to a finished PDF a bookmark for each of its pages, in order, named
// by the titles given (one per page), as an update appended to the file:
// what was written stays byte for byte. False when the file is not a PDF
// of the expected form or cannot be written.
bool aggiungiSegnalibri(const QString &percorsoPdf, const QStringList &titoli);

// The searchable PDF of an archive, made on a thread of its own: each scan
// as it is, with an invisible layer of the recognised text over it, so
// that viewers find and copy the words; the archive's name as the title.
// Each scan is read once, as a plain file, and both recognised and embedded
// from the bytes read. A scan that cannot be read is left out and named.
// The file is made in a folder of the export's own and reaches the
// destination through the checked replacement only when complete: a
// cancelled or failed export leaves nothing behind, nor touches a file (or
// what a link points to) already there.
class EsportazionePdf : public QObject
{
    Q_OBJECT
public:
    EsportazionePdf(const QVector<PaginaPdf> &pagine, const QString &titolo, const QString &destinazione,
                    const QString &cartellaDati = QString(), QObject *parent = nullptr);
    ~EsportazionePdf() override;

    void avvia();
    void annulla();

signals:
    void avanzamento(int fatte, int totale);
    // riuscita false: messaggio says why, empty when cancelled. riuscita
    // true: messaggio is empty, or names the pages left out, as paragraphs
    // to follow the message that the file was made.
    void finita(bool riuscita, const QString &messaggio);

private:
    bool esporta(QString &messaggio);

    QVector<PaginaPdf> m_pagine;
    QString m_titolo;
    QString m_destinazione;
    QString m_cartellaDati;
    std::atomic_bool m_annulla{false};
    QThread *m_thread = nullptr;
};

extern const QString kMessaggioPdfSenzaPagine;

// The message for a PDF that could not be written, with the reason: the
// file and the system's reason, in Italian.
QString messaggioPdfNonScritto(const QString &motivo);
