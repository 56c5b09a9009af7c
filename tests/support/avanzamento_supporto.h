#pragma once

#include <QObject>
#include <QString>

// While it lives: the progress window of long work appears at the work's
// first step, and this answers it with "Annulla" (queued, so the click
// lands when the work next lets the event loop run, as a user's would).
// Records what the window showed.
class AnnullaAvanzamento : public QObject
{
public:
    AnnullaAvanzamento();
    ~AnnullaAvanzamento() override;

    int comparse() const { return m_comparse; }
    const QString &titolo() const { return m_titolo; }
    const QString &testo() const { return m_testo; }
    const QString &pulsante() const { return m_pulsante; }
    bool modale() const { return m_modale; }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    int m_comparse = 0;
    QString m_titolo, m_testo, m_pulsante;
    bool m_modale = false;
};
