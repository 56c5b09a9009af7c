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

const std::array<ScorciatoiaComando, 3> &scorciatoieDocumenti()
{
    static const std::array<ScorciatoiaComando, 3> scorciatoie{{
        {"Ctrl+S", "cmdSalva"},
        {"PgUp", "cmdIndietro"},
        {"PgDown", "cmdAvanti"},
    }};
    return scorciatoie;
}

const std::array<DescrizioneComando, kNumeroComandi> &comandiDocumenti()
{
    static const std::array<DescrizioneComando, kNumeroComandi> comandi{{
        {"cmdNuovo", ":/editor/nuovo.svg", icona(12), "Nuova scheda",
         "Prepara la schermata per l'inserimento di una nuova scheda."},
        {"cmdDuplica", ":/editor/duplica.svg", icona(12 + kPasso), "Duplica scheda",
         "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."},
        {"cmdSalva", ":/editor/salva.svg", icona(12 + 2 * kPasso), "Salva scheda", "Salva la scheda in archivio."},
        {"cmdTrova", ":/editor/trova.svg", icona(12 + 3 * kPasso), "Trova scheda", "Trova una scheda in archivio."},
        {"cmdFile", ":/editor/allega.svg", icona(12 + 4 * kPasso), "Allega file", "Allega file alla scheda."},
        {"cmdAnteprima", ":/editor/anteprima.svg", icona(252), "Anteprima di stampa",
         "Visualizza l'anteprima di stampa della scheda."},
        {"cmdStampa", ":/editor/stampa.svg", QRect(316, kY, 104, kLato), "Stampa", "Stampa la scheda."},
        {"cmdPrimo", ":/editor/primo.svg", icona(444), "Prima scheda", "Visualizza la prima scheda in archivio."},
        {"cmdIndietro", ":/editor/indietro.svg", icona(444 + kPasso), "Scheda precedente",
         "Visualizza la scheda precedente in archivio."},
        {"cmdAvanti", ":/editor/avanti.svg", icona(444 + 2 * kPasso + 84 + 4), "Scheda successiva",
         "Visualizza la scheda successiva in archivio."},
        {"cmdUltimo", ":/editor/ultimo.svg", icona(444 + 3 * kPasso + 84 + 4), "Ultima scheda",
         "Visualizza l'ultima scheda in archivio."},
        {"cmdDaCompletare", ":/editor/dacompletare.svg", icona(728), "Pagine da completare",
         "Visualizza l'elenco delle pagine del documento da completare."},
        {"cmdEsporta", ":/editor/esporta.svg", icona(792), "Esporta in Excel",
         "Esporta le schede in archivio in un file di Excel."},
        {"cmdSlideshow", ":/editor/slideshow.svg", icona(792 + kPasso), "Slide show",
         "Esegui lo slide show delle pagine scansionate del documento."},
        {"cmdGuida", ":/editor/guida.svg", icona(900), "Guida",
         "Visualizza la pagina della guida sensibile al contesto."},
        {"cmdEsci", ":/editor/esci.svg", icona(900 + kPasso), "Esci", "Esci da questa schermata di lavoro."},
        // The scan buttons, in their box under the picture.
        {"btnCaricaFoto", ":/editor/carica_foto.svg", QRect(14, 514, 150, 44), "Carica foto",
         "Carica una foto esistente."},
        {"btnSalvaFoto", ":/editor/salva_foto.svg", QRect(179, 514, 44, 44), "Salva foto", "Salva la foto su disco."},
        {"btnCancFoto", ":/editor/canc_foto.svg", QRect(229, 514, 44, 44), "Cancella foto", "Cancella la foto."},
        {"btnZoomFoto", ":/editor/zoom_foto.svg", QRect(279, 514, 44, 44), "Zoom foto",
         "Visualizza la foto nelle sue dimensioni reali."},
    }};
    return comandi;
}
