#include "editor/valoriallegati.h"

#include "storage/testo.h"

#include <QLabel>
#include <QWidget>

namespace {

QLabel *etichetta(const QWidget *finestra, const QString &nome)
{
    return finestra ? finestra->findChild<QLabel *>(nome) : nullptr;
}

QString testoEtichetta(const QWidget *finestra, const QString &nome)
{
    const QLabel *e = etichetta(finestra, nome);
    return e ? Testo::trim(e->text()) : QString();
}

void impostaEtichetta(QWidget *finestra, const QString &nome, const QString &testo)
{
    if (QLabel *e = etichetta(finestra, nome))
        e->setText(Testo::trim(testo));
}

} // namespace

QString nomeNumerato(const char *radice, int slot)
{
    return QString::fromLatin1(radice) + QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0'));
}

QString nomeEtichettaFile(int slot)
{
    return nomeNumerato("lblFile", slot);
}

QString nomeEtichettaDescrizione(int slot)
{
    return nomeNumerato("lblDesc", slot);
}

ValoriAllegati leggiValoriAllegati(const QWidget *finestra)
{
    ValoriAllegati v;
    for (int k = 0; k < 3; ++k) {
        v.nomi[k] = testoEtichetta(finestra, nomeEtichettaFile(k));
        v.descrizioni[k] = testoEtichetta(finestra, nomeEtichettaDescrizione(k));
    }
    return v;
}

void scriviValoriAllegati(QWidget *finestra, const ValoriAllegati &valori)
{
    for (int k = 0; k < 3; ++k) {
        impostaEtichetta(finestra, nomeEtichettaFile(k), valori.nomi[k]);
        impostaEtichetta(finestra, nomeEtichettaDescrizione(k), valori.descrizioni[k]);
    }
}
