#include "app/contesto.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

Contesto::Contesto(const QString &cartellaProgramma)
{
    if (!cartellaProgramma.isEmpty())
        impostaCartellaProgramma(cartellaProgramma);
}

void Contesto::impostaCartellaProgramma(const QString &cartella)
{
    QString c = QDir::fromNativeSeparators(QDir(cartella).absolutePath());
    if (!c.endsWith(u'/'))
        c.append(u'/');
    m_cartella = c;
}

int Contesto::messaggio(const QString &testo, TipoMessaggio tipo, PulsantiMessaggio pulsanti) const
{
    if (m_messaggi)
        return m_messaggi(RichiestaMessaggio{testo, tipo, pulsanti});
    return MostraMessaggio(testo, tipo, pulsanti);
}

void Contesto::messaggio(const QString &testo) const
{
    messaggio(testo, TipoMessaggio::Semplice, PulsantiMessaggio::Ok);
}

void Contesto::avviso(const QString &testo) const
{
    messaggio(testo, TipoMessaggio::Avviso, PulsantiMessaggio::OkAnnulla);
}

void Contesto::errore(const QString &testo) const
{
    messaggio(testo, TipoMessaggio::Errore, PulsantiMessaggio::OkAnnulla);
}

void Contesto::informazione(const QString &testo) const
{
    messaggio(testo, TipoMessaggio::Informazione, PulsantiMessaggio::OkAnnulla);
}

bool Contesto::conferma(const QString &testo) const
{
    return messaggio(testo, TipoMessaggio::Conferma, PulsantiMessaggio::SiNo) != mrNo;
}

QString Contesto::scegliFile(QWidget *proprietario, const RichiestaFile &richiesta) const
{
    if (m_file)
        return m_file(richiesta);
    return ::scegliFile(proprietario, richiesta);
}

void Contesto::impostaAttesaLavoroLungo(int millisecondi)
{
    m_attesaMs = std::max(0, millisecondi);
}

void Contesto::mostraFinestra(Permanente quale) const
{
    if (m_mostra)
        m_mostra(quale);
}

void Contesto::termina() const
{
    if (m_termina)
        m_termina();
    else
        QCoreApplication::quit();
}
