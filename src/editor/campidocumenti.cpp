#include "editor/campidocumenti.h"

namespace {

// The field area: the white section to the right of the scan, under the
// archive name bar.
constexpr int kSinistra = 347;
constexpr int kLarghezzaColonna = 205;
constexpr int kSpazioColonne = 10;
constexpr int kPrimaRiga = 116;
constexpr int kPassoRiga = 50;
constexpr int kAltezzaDidascalia = 18;
constexpr int kAltezzaCampo = 28;

} // namespace

const std::array<DescrizioneCampo, kCampiDescrittivi> &campiDocumenti()
{
    static const std::array<DescrizioneCampo, kCampiDescrittivi> campi{{
        {Campo::Titolo, "txtTitolo", "Titolo pagina:", 1, 0, 2},
        {Campo::Codice, "txtCodice", "Codice univoco:", 1, 2, 1},
        {Campo::Autore, "txtAutore", "Autore:", 2, 0, 1},
        {Campo::Creazione, "txtCreazione", "Data creazione:", 2, 1, 1},
        {Campo::Modifica, "txtModifica", "Ultima modifica:", 2, 2, 1},
        {Campo::Tipologia, "txtTipologia", "Tipologia:", 3, 0, 1},
        {Campo::PagNum, "txtPagNum", "Pagina n.", 3, 1, 1},
        {Campo::RigheNum, "txtRigheNum", "Numero righe:", 3, 2, 1},
        {Campo::Carta, "txtCarta", "Carta:", 4, 0, 1},
        {Campo::Carattere, "txtCarattere", "Carattere:", 4, 1, 1},
        {Campo::Lingua, "txtLingua", "Lingua:", 4, 2, 1},
        {Campo::Descrizione, "txtDescrizione", "Descrizione pagina:", 5, 0, 3},
        {Campo::Incipit, "txtIncipit", "Incipit pagina:", 6, 0, 2},
        {Campo::Parole, "txtParole", "Parole chiave:", 6, 2, 1},
        {Campo::Illustrazioni, "txtIllustrazioni", "Illustrazioni:", 7, 0, 2},
        {Campo::Annotazioni, "txtAnnotazioni", "Annotazioni a penna:", 7, 2, 1},
        {Campo::Formato, "txtFormato", "Formato:", 8, 0, 1},
        {Campo::Stato, "txtStato", "Stato conservazione:", 8, 1, 1},
        {Campo::Collocazione, "txtCollocazione", "Collocazione:", 8, 2, 1},
        {Campo::Giudizio, "txtGiudizio", "Giudizio:", 9, 0, 3},
        {Campo::Note, "txtNote", nullptr, 10, 0, 3},
    }};
    return campi;
}

QString nomeDidascalia(int k)
{
    return QStringLiteral("lblCampo%1").arg(k + 1, 3, 10, QLatin1Char('0'));
}

QRect rettangoloDidascalia(const DescrizioneCampo &d)
{
    const int x = kSinistra + d.colonna * (kLarghezzaColonna + kSpazioColonne);
    const int larghezza = d.larghezza * kLarghezzaColonna + (d.larghezza - 1) * kSpazioColonne;
    return QRect(x, kPrimaRiga + (d.riga - 1) * kPassoRiga, larghezza, kAltezzaDidascalia);
}

QRect rettangoloCampo(const DescrizioneCampo &d)
{
    const QRect didascalia = rettangoloDidascalia(d);
    return QRect(didascalia.left(), didascalia.bottom() + 1, didascalia.width(), kAltezzaCampo);
}
