#include "ocr/letturapagina.h"

#include <QThread>

LetturaPagina::LetturaPagina(const QImage &immagine, const QString &cartellaDati, QObject *parent)
    : QObject(parent)
    , m_immagine(immagine)
    , m_cartellaDati(cartellaDati)
{
}

LetturaPagina::~LetturaPagina()
{
    m_annulla = true;
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void LetturaPagina::avvia()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] {
        Riconoscitore motore(m_cartellaDati);
        const EsitoLettura esito = motore.leggi(m_immagine, &m_annulla, [this](int p) {
            QMetaObject::invokeMethod(this, [this, p] { emit avanzamento(p); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(this, [this, esito] { emit finita(esito); }, Qt::QueuedConnection);
    });
    m_thread->start();
}

void LetturaPagina::annulla()
{
    m_annulla = true;
}

bool LetturaPagina::inCorso() const
{
    return m_thread && m_thread->isRunning();
}
