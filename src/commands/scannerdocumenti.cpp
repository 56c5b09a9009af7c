#include "commands/scannerdocumenti.h"

#include "app/contesto.h"
#include "commands/azionicomandi.h"
#include "commands/paginepacco.h"
#include "document/documentoarchivio.h"
#include "document/salvataggio.h"
#include "scanner/frmacquisisci.h"

ComandiScanner::ComandiScanner(DocumentoArchivio &documento, const Contesto &contesto, QWidget *finestra)
    : QObject(finestra)
    , m_documento(documento)
    , m_contesto(contesto)
    , m_finestra(finestra)
{
    static const DescrizioneAzione<ComandiScanner> comandi[] = {
        {"actAcquisisci", "Acquisisci dallo scanner...", "Ctrl+Shift+A", &ComandiScanner::acquisisciPagina},
        {"actAcquisisciPagine", "Acquisisci più pagine...", "Ctrl+Shift+P", &ComandiScanner::acquisisciPagine},
    };
    m_azioni = creaAzioni(this, m_contesto, comandi);
}

void ComandiScanner::acquisisciPagina()
{
    TfrmAcquisisci finestra(m_contesto, m_finestra);
    if (finestra.exec() != QDialog::Accepted || finestra.immagine().isNull())
        return;
    emit fotoAcquisita(finestra.immagine());
}

// The fields a save would refuse to store without are refused here too,
// before any sheet is pulled in.
void ComandiScanner::acquisisciPagine()
{
    const ValoriScheda valori = m_documento.valoriSchermo();
    if (const CampoObbligatorio *mancante = primoObbligatorioMancante(valori.testi)) {
        m_contesto.avviso(mancante->avviso);
        emit campoMancante(mancante->campo);
        return;
    }
    const QString cartella = m_documento.cartella();
    const QString percorso = m_documento.percorso();
    const QString nome = m_documento.nome();
    TfrmAcquisisci finestra(m_contesto, m_finestra);
    finestra.impostaPacco([&](const QImage &pagina, int) {
        const EsitoPaginaPacco esito =
            salvaPaginaPacco(cartella, percorso, nome, valori, pagina, m_contesto.chiamateDisco());
        return PaginaSalvata{esito.posizione, esito.errore};
    });
    finestra.exec();
}
