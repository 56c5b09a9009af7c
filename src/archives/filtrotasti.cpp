#include "archives/filtrotasti.h"

#include "archives/nomiarchivio.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

FiltroTastiNome::FiltroTastiNome(QObject *campo)
    : QObject(campo)
{
    campo->installEventFilter(this);
}

bool FiltroTastiNome::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const QString testo = static_cast<QKeyEvent *>(evento)->text();
        for (QChar c : testo) {
            if (NomiArchivio::carattereRifiutato(c))
                return true;
        }
        return false;
    }
    if (evento->type() == QEvent::InputMethod) {
        auto *im = static_cast<QInputMethodEvent *>(evento);
        const QString pulito = NomiArchivio::senzaRifiutati(im->commitString());
        if (pulito == im->commitString())
            return false;
        QInputMethodEvent sostituto(im->preeditString(), im->attributes());
        sostituto.setCommitString(pulito, im->replacementStart(), im->replacementLength());
        QCoreApplication::sendEvent(oggetto, &sostituto);
        return true;
    }
    return false;
}
