#pragma once

#include "ocr/riconoscitore.h"

#include <QImage>
#include <QObject>

#include <atomic>

class QThread;

// The recognition of one picture on a thread of its own, so the window
// that asked stays responsive: it hears the progress and the end as
// signals on its own thread. Destroying it cancels and waits for the
// thread, so no result arrives afterwards.
class LetturaPagina : public QObject
{
    Q_OBJECT
public:
    explicit LetturaPagina(const QImage &immagine, const QString &cartellaDati = QString(),
                           QObject *parent = nullptr);
    ~LetturaPagina() override;

    void avvia();
    // The engine stops at its next word; finita() follows with Annullato.
    void annulla();
    bool inCorso() const;

signals:
    void avanzamento(int percento);
    void finita(const EsitoLettura &esito);

private:
    QImage m_immagine;
    QString m_cartellaDati;
    std::atomic_bool m_annulla{false};
    QThread *m_thread = nullptr;
};
