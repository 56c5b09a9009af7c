#include "app/errori.h"

#include "app/messaggi.h"

void segnalaErroreGenerale(const QString &dettaglio)
{
    QString testo = QStringLiteral("Si \u00E8 verificato un errore imprevisto.");
    if (!dettaglio.isEmpty())
        testo += QStringLiteral("\r\n\r\n") + dettaglio;
    MostraMessaggio(testo, TipoMessaggio::Errore, PulsantiMessaggio::Ok);
}
