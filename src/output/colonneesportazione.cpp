#include "output/colonneesportazione.h"

const std::array<ColonnaEsportazione, kColonneGriglia> &colonneEsportazione()
{
    // The file's widths are wider than the grid's: a spreadsheet cell shows
    // less text than a grid cell of the same width.
    static const std::array<ColonnaEsportazione, kColonneGriglia> colonne = {{
        {"colNum", QStringLiteral("N."), 60, false, 0},
        {"colTitolo", QStringLiteral("Titolo pagina"), 300, false, 350},
        {"colCodice", QStringLiteral("Codice univoco"), 180, true, 200},
        {"colAutore", QStringLiteral("Autore"), 220, false, 280},
        {"colCreazione", QStringLiteral("Data creazione"), 160, false, 200},
        {"colModifica", QStringLiteral("Ultima modifica"), 160, false, 200},
        {"colTipologia", QStringLiteral("Tipologia"), 220, false, 280},
        {"colPagNum", QStringLiteral("Pagina n."), 160, false, 200},
        {"colNumRighe", QStringLiteral("Numero righe"), 160, true, 200},
        {"colCarta", QStringLiteral("Carta"), 220, false, 280},
        {"colCarattere", QStringLiteral("Carattere"), 220, false, 280},
        {"colLingua", QStringLiteral("Lingua"), 220, false, 280},
        {"colDescrizione", QStringLiteral("Descrizione pagina"), 350, true, 400},
        {"colIncipit", QStringLiteral("Incipit pagina"), 350, true, 400},
        {"colParole", QStringLiteral("Parole chiave"), 350, true, 400},
        {"colIllustrazioni", QStringLiteral("Illustrazioni"), 350, true, 400},
        {"colAnnotazioni", QStringLiteral("Annotazioni a penna"), 350, true, 400},
        {"colFormato", QStringLiteral("Formato"), 200, true, 250},
        {"colStato", QStringLiteral("Stato conservazione"), 200, true, 280},
        {"colCollocazione", QStringLiteral("Collocazione"), 250, true, 300},
        {"colGiudizio", QStringLiteral("Giudizio"), 300, true, 350},
        {"colNote", QStringLiteral("Note"), 350, true, 400},
        {"colDaCompletare", QStringLiteral("Da completare"), 120, true, 200},
    }};
    return colonne;
}
