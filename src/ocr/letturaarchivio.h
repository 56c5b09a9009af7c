#pragma once

#include "ocr/indicetesti.h"
#include "ocr/riconoscitore.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

#include <atomic>
#include <memory>
#include <vector>

class QThread;

// A page whose scan must be read: never read, or changed since.
struct PaginaDaLeggere {
    int posizione = 0;
    QString percorso;
    QString firma;
};

// The pages 1..conteggio of the archive whose scan file exists and whose
// mark differs from the one the index keeps, in order.
QVector<PaginaDaLeggere> pagineDaLeggere(const QString &cartellaProgramma, const QString &nomeArchivio,
                                         int conteggio, const QHash<int, QString> &firmeIndice);

// The positions whose text the index keeps though the archive has no scan
// there any more: the scan is gone, or the position lies past the last
// record (an archive deleted or renamed away, and one made with its name).
QVector<int> pagineDaTogliere(const QString &cartellaProgramma, const QString &nomeArchivio, int conteggio,
                              const QHash<int, QString> &firmeIndice);

// Reads the scans of a whole archive into the index, in the background, one
// page per thread on every core. Each page is written to the index as soon
// as it is read, so a work stopped (or a program ended) part-way goes on
// where it stopped the next time: the pages done and unchanged are skipped.
// The texts of pages without a scan are taken out first.
class LetturaArchivio : public QObject
{
    Q_OBJECT
public:
    // threads 0: one per core.
    LetturaArchivio(IndiceTesti &indice, const QString &cartellaProgramma, const QString &nomeArchivio,
                    int conteggio, int threads = 0, const QString &cartellaDati = QString(),
                    QObject *parent = nullptr);
    ~LetturaArchivio() override;

    // Starts; finita() comes at once when nothing is left to read.
    void avvia();
    // Pages being read are dropped; finita() follows.
    void ferma();
    bool inCorso() const { return !m_threads.empty() && m_attivi > 0; }

    int daLeggere() const { return int(m_pagine.size()); }
    int daTogliere() const { return int(m_daTogliere.size()); }
    int lette() const { return m_lette; }

signals:
    // Pages read (or found unreadable) so far, of those that had to be.
    void avanzamento(int fatte, int totale);
    // completa: every page was read. messaggio: why not, for the user; empty
    // when stopped by ferma().
    void finita(bool completa, const QString &messaggio);

private:
    void lavora();
    void paginaLetta(int indice, const EsitoLettura &esito);
    void threadFinito();
    void chiudi(const QString &messaggio);

    IndiceTesti &m_indice;
    QString m_nome;
    QString m_cartellaDati;
    QVector<PaginaDaLeggere> m_pagine;
    QVector<int> m_daTogliere;
    int m_numeroThreads = 1;
    std::vector<std::unique_ptr<QThread>> m_threads;
    std::atomic_int m_prossima{0};
    std::atomic_bool m_ferma{false};
    int m_attivi = 0;
    int m_lette = 0;
    QString m_messaggio;
    bool m_finita = false;
};
