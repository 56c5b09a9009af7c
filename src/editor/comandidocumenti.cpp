#include "editor/comandidocumenti.h"

namespace {

// Top bar: 40 x 40 pictures in white boxes 52 high, 4 apart.
constexpr int kY = 12;
constexpr int kLato = 40;
constexpr int kPasso = kLato + 4;

constexpr QRect icona(int x)
{
    return QRect(x, kY, kLato, kLato);
}

} // namespace

const std::array<GruppoComandi, 7> &gruppiComandi()
{
    static const std::array<GruppoComandi, 7> gruppi{{
        {"shpControlli01", QRect(6, 6, 228, 52)},
        {"shpControlli02", QRect(246, 6, 52, 52)},
        {"shpControlli03", QRect(310, 6, 116, 52)},
        {"shpControlli04", QRect(438, 6, 272, 52)},
        {"shpControlli05", QRect(722, 6, 52, 52)},
        {"shpControlli06", QRect(786, 6, 96, 52)},
        {"shpControlli07", QRect(894, 6, 96, 52)},
    }};
    return gruppi;
}

QRect postoPosizione()
{
    return QRect(444 + 2 * kPasso, kY, 84, kLato);
}

const std::array<DescrizioneComando, kNumeroComandi> &comandiDocumenti()
{
    static const std::array<DescrizioneComando, kNumeroComandi> comandi{{
        {"cmdNuovo", ":/editor/nuovo.svg", icona(12),
         "Prepara la schermata per l'inserimento di una nuova scheda."},
        {"cmdDuplica", ":/editor/duplica.svg", icona(12 + kPasso),
         "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."},
        {"cmdSalva", ":/editor/salva.svg", icona(12 + 2 * kPasso), "Salva la scheda in archivio."},
        {"cmdTrova", ":/editor/trova.svg", icona(12 + 3 * kPasso), "Trova una scheda in archivio."},
        {"cmdFile", ":/editor/allega.svg", icona(12 + 4 * kPasso), "Allega file alla scheda."},
        {"cmdAnteprima", ":/editor/anteprima.svg", icona(252),
         "Visualizza l'anteprima di stampa della scheda."},
        {"cmdStampa", ":/editor/stampa.svg", QRect(316, kY, 104, kLato), "Stampa la scheda."},
        {"cmdPrimo", ":/editor/primo.svg", icona(444), "Visualizza la prima scheda in archivio."},
        {"cmdIndietro", ":/editor/indietro.svg", icona(444 + kPasso),
         "Visualizza la scheda precedente in archivio."},
        {"cmdAvanti", ":/editor/avanti.svg", icona(444 + 2 * kPasso + 84 + 4),
         "Visualizza la scheda successiva in archivio."},
        {"cmdUltimo", ":/editor/ultimo.svg", icona(444 + 3 * kPasso + 84 + 4),
         "Visualizza l'ultima scheda in archivio."},
        {"cmdDaCompletare", ":/editor/dacompletare.svg", icona(728),
         "Visualizza l'elenco delle pagine del documento da completare."},
        {"cmdEsporta", ":/editor/esporta.svg", icona(792), "Esporta le schede in archivio in un file di Excel."},
        {"cmdSlideshow", ":/editor/slideshow.svg", icona(792 + kPasso),
         "Esegui lo slide show delle pagine scansionate del documento."},
        {"cmdGuida", ":/editor/guida.svg", icona(900), "Visualizza la pagina della guida sensibile al contesto."},
        {"cmdEsci", ":/editor/esci.svg", icona(900 + kPasso), "Esci da questa schermata di lavoro."},
        // The scan buttons, in their box under the picture.
        {"btnCaricaFoto", ":/editor/carica_foto.svg", QRect(14, 514, 150, 44), "Carica una foto esistente."},
        {"btnSalvaFoto", ":/editor/salva_foto.svg", QRect(179, 514, 44, 44), "Salva la foto su disco."},
        {"btnCancFoto", ":/editor/canc_foto.svg", QRect(229, 514, 44, 44), "Cancella la foto."},
        {"btnZoomFoto", ":/editor/zoom_foto.svg", QRect(279, 514, 44, 44),
         "Visualizza la foto nelle sue dimensioni reali."},
    }};
    return comandi;
}
