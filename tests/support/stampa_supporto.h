#pragma once

#include <QList>
#include <QQueue>
#include <QString>

// Answers every print dialog while it lives: queued PDF paths in order (the
// print goes to that file), then cancel. Records how each dialog would have
// opened.
class RispostaStampa
{
public:
    struct Richiesta {
        QString nomeDocumento;
        QString fileProposto;   // empty while a real printer is the default
    };

    RispostaStampa();
    ~RispostaStampa();

    void stampaIn(const QString &pdf) { m_risposte.enqueue(pdf); }
    const QList<Richiesta> &richieste() const { return m_richieste; }

private:
    QList<Richiesta> m_richieste;
    QQueue<QString> m_risposte;
};
