#include "ocr/letturaarchivio.h"

#include "storage/fotopagina.h"

#include <QThread>

#include <algorithm>

QVector<PaginaDaLeggere> pagineDaLeggere(const QString &cartellaProgramma, const QString &nomeArchivio,
                                         int conteggio, const QHash<int, QString> &firmeIndice)
{
    QVector<PaginaDaLeggere> pagine;
    for (int p = 1; p <= conteggio; ++p) {
        const QString percorso = percorsoFotoPagina(cartellaProgramma, nomeArchivio, QString::number(p));
        const QString firma = firmaScansione(percorso);
        if (firma.isEmpty() || firmeIndice.value(p) == firma)
            continue;
        pagine.append({p, percorso, firma});
    }
    return pagine;
}

QVector<int> pagineDaTogliere(const QString &cartellaProgramma, const QString &nomeArchivio, int conteggio,
                              const QHash<int, QString> &firmeIndice)
{
    QVector<int> via;
    for (auto p = firmeIndice.keyBegin(); p != firmeIndice.keyEnd(); ++p) {
        if (*p < 1 || *p > conteggio
            || firmaScansione(percorsoFotoPagina(cartellaProgramma, nomeArchivio, QString::number(*p))).isEmpty())
            via.append(*p);
    }
    std::sort(via.begin(), via.end());
    return via;
}

LetturaArchivio::LetturaArchivio(IndiceTesti &indice, const QString &cartellaProgramma, const QString &nomeArchivio,
                                 int conteggio, int threads, const QString &cartellaDati, QObject *parent)
    : QObject(parent)
    , m_indice(indice)
    , m_nome(nomeArchivio)
    , m_cartellaDati(cartellaDati)
    , m_numeroThreads(threads > 0 ? threads : qMax(1, QThread::idealThreadCount()))
{
    const QHash<int, QString> firme = indice.firme(nomeArchivio);
    m_pagine = pagineDaLeggere(cartellaProgramma, nomeArchivio, conteggio, firme);
    m_daTogliere = pagineDaTogliere(cartellaProgramma, nomeArchivio, conteggio, firme);
}

LetturaArchivio::~LetturaArchivio()
{
    m_ferma = true;
    for (auto &t : m_threads)
        t->wait();
}

void LetturaArchivio::avvia()
{
    if (!m_threads.empty() || m_finita)
        return;
    // A text whose scan is gone would be found by a search, and an archive
    // made anew under the name would take it for its own.
    const bool tolte = m_indice.togliPagine(m_nome, m_daTogliere);
    const int n = tolte ? qMin(m_numeroThreads, int(m_pagine.size())) : 0;
    if (n == 0) {
        m_finita = true;
        const QString messaggio = tolte ? QString() : m_indice.ultimoErrore();
        QMetaObject::invokeMethod(
            this, [this, messaggio] { emit finita(messaggio.isEmpty(), messaggio); }, Qt::QueuedConnection);
        return;
    }
    for (int k = 0; k < n; ++k) {
        m_threads.emplace_back(QThread::create([this] { lavora(); }));
        connect(m_threads.back().get(), &QThread::finished, this, &LetturaArchivio::threadFinito);
    }
    m_attivi = n;
    for (auto &t : m_threads)
        t->start();
}

void LetturaArchivio::ferma()
{
    m_ferma = true;
}

void LetturaArchivio::lavora()
{
    Riconoscitore::unThreadPerPagina();
    Riconoscitore motore(m_cartellaDati);
    while (!m_ferma) {
        const int k = m_prossima.fetch_add(1);
        if (k >= m_pagine.size())
            break;
        const EsitoLettura esito = motore.leggiFile(m_pagine.at(k).percorso, &m_ferma);
        if (esito.stato == EsitoLettura::Stato::DatiMancanti)
            m_ferma = true;
        QMetaObject::invokeMethod(this, [this, k, esito] { paginaLetta(k, esito); }, Qt::QueuedConnection);
    }
}

void LetturaArchivio::paginaLetta(int indice, const EsitoLettura &esito)
{
    if (m_finita)
        return;
    switch (esito.stato) {
    case EsitoLettura::Stato::Annullato:
        return;
    case EsitoLettura::Stato::DatiMancanti:
        if (m_messaggio.isEmpty())
            m_messaggio = esito.messaggio;
        return;
    case EsitoLettura::Stato::Illeggibile:
    case EsitoLettura::Stato::Letto:
        break;
    }
    // An unreadable scan is marked as done with no text: reading it again
    // unchanged would fail again.
    const PaginaDaLeggere &p = m_pagine.at(indice);
    if (!m_indice.scriviPagina(m_nome, p.posizione, esito.testo, p.firma)) {
        if (m_messaggio.isEmpty())
            m_messaggio = m_indice.ultimoErrore();
        m_ferma = true;
        return;
    }
    ++m_lette;
    emit avanzamento(m_lette, int(m_pagine.size()));
}

void LetturaArchivio::threadFinito()
{
    if (--m_attivi > 0)
        return;
    // Every result a thread posted came before its end.
    QMetaObject::invokeMethod(this, [this] { chiudi(m_messaggio); }, Qt::QueuedConnection);
}

void LetturaArchivio::chiudi(const QString &messaggio)
{
    if (m_finita)
        return;
    m_finita = true;
    emit finita(messaggio.isEmpty() && m_lette == m_pagine.size(), messaggio);
}
