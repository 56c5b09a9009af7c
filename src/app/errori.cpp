#include "app/errori.h"

#include "app/contesto.h"

#include <QStringList>

Q_LOGGING_CATEGORY(lcErrori, "velmora.errori", QtWarningMsg)

namespace {

constexpr int kColonneMessaggio = 80;

} // namespace

QString testoACapo(const QString &testo, int colonne)
{
    QStringList righe;
    for (QString riga : testo.split(u'\n')) {
        while (riga.size() > colonne) {
            qsizetype taglio = riga.lastIndexOf(u' ', colonne);
            if (taglio <= 0) {
                righe.append(riga.left(colonne));
                riga = riga.mid(colonne);
                continue;
            }
            righe.append(riga.left(taglio));
            riga = riga.mid(taglio + 1);
        }
        righe.append(riga);
    }
    return righe.join(u'\n');
}

void segnalaErroreGenerale(const Contesto &contesto, const QString &dettaglio)
{
    qCWarning(lcErrori).noquote() << "unhandled failure:" << (dettaglio.isEmpty() ? QStringLiteral("(no detail)") : dettaglio);
    QString testo = QStringLiteral("Si \u00E8 verificato un errore imprevisto.");
    if (!dettaglio.isEmpty())
        testo += QStringLiteral("\r\n\r\n") + testoACapo(dettaglio, kColonneMessaggio);
    contesto.messaggio(testo, TipoMessaggio::Errore, PulsantiMessaggio::Ok);
}
