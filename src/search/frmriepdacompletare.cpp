#include "search/frmriepdacompletare.h"

#include "search/criteriricerca.h"
#include "storage/archiviopagine.h"

#include <QLineEdit>

AspettoFinestra TfrmRiepDaCompletare::aspetto()
{
    AspettoFinestra a{"frmRiepDaCompletare", QStringLiteral(" Riepilogo pagine da completare"), QSize(862, 560),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmRiepDaCompletare::TfrmRiepDaCompletare(const Contesto &contesto, QWidget *proprietario)
    : FinestraRiepilogo(contesto, aspetto(), proprietario, QStringLiteral("Riepilogo pagine da completare"))
{
    costruisciRisultati({QStringLiteral(":/search/banner_dacompletare.svg"),
                                       QStringLiteral(":/search/istruzioni_dacompletare.svg"),
                                       QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"),
                                       false,
                                       QStringLiteral("Pagine da completare. Schede dell'archivio segnate con la "
                                                      "casella \"Da completare\", in ordine di titolo"),
                                       QStringLiteral("Pagine da completare")});
}

void TfrmRiepDaCompletare::FormShow()
{
    azzeraTrova();
    riempi();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

// A failure leaves the list as far as it got and the window open, silently.
void TfrmRiepDaCompletare::riempi()
{
    ElencoRighe righe;
    try {
        righeRiepilogo(archivioEditore(), daCompletare, righe);
    } catch (const ErroreArchivio &) {
        // Silently: the entries found before the failure stay listed.
    }
    riempiLista(std::move(righe));
}
