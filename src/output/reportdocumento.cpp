#include "output/reportdocumento.h"

#include "storage/testo.h"

namespace {

const QColor kBluReale(0x41, 0x69, 0xE1);

CasellaTesto::Aspetto testoArial(double punti, bool grassetto, const QColor &colore, AllineamentoOrizzontale o)
{
    return {{QStringLiteral("Arial"), punti, grassetto, colore}, o, AllineamentoVerticale::Centro, QColor(), 0};
}

// A field block: caption bar and caption at the top, the value box 5 mm
// below the bar's top, each text 1 mm in from its box.
struct Blocco {
    double alto, sinistra, larghezza;
    const char *didascalia;
    const char *casella;
};

const Blocco kBlocchi[] = {
    {125.0, 1.0, 93.0, "AUTORE", "txtAutore"},
    {125.0, 96.0, 93.0, "CODICE UNIVOCO", "txtCodice"},
    {139.0, 1.0, 44.0, "DATA CREAZIONE", "txtCreazione"},
    {139.0, 47.0, 47.0, "ULTIMA MODIFICA", "txtModifica"},
    {139.0, 96.0, 93.0, "TIPOLOGIA", "txtTipologia"},
    {153.0, 1.0, 93.0, "CARTA", "txtCarta"},
    {153.0, 96.0, 93.0, "CARATTERE", "txtCarattere"},
    {167.0, 1.0, 93.0, "PAGINA N.", "txtPagNum"},
    {167.0, 96.0, 93.0, "LINGUA", "txtLingua"},
    {181.0, 1.0, 93.0, "NUMERO RIGHE", "txtRigheNum"},
    {181.0, 96.0, 93.0, "ILLUSTRAZIONI", "txtIllustrazioni"},
    {195.0, 1.0, 93.0, "STATO CONSERVAZIONE", "txtStato"},
    {195.0, 96.0, 93.0, "FORMATO", "txtFormato"},
    {209.0, 1.0, 93.0, "COLLOCAZIONE", "txtCollocazione"},
    {209.0, 96.0, 93.0, "PAROLE CHIAVE", "txtParole"},
    {223.0, 1.0, 188.0, "DESCRIZIONE PAGINA", "txtDescrizione"},
    {237.0, 1.0, 188.0, "INCIPIT PAGINA", "txtIncipit"},
    {251.0, 1.0, 93.0, "ANNOTAZIONI A PENNA", "txtAnnotazioni"},
    {251.0, 96.0, 93.0, "GIUDIZIO", "txtGiudizio"},
    {265.0, 1.0, 188.0, "NOTE", "txtNote"},
};

constexpr double kAltezzaBarra = 4.8;
constexpr double kDistanzaValore = 5.0;
constexpr double kAltezzaValore = 6.0;

// A field is one line whatever it holds.
void unaRiga(Report &report, const QString &casella, const QString &valore)
{
    auto *t = report.trova<CasellaTesto>(casella);
    t->svuotaRighe();
    t->aggiungiRiga(Testo::trim(valore));
}

} // namespace

const char *const kCaselleDocumento[20] = {
    "txtCodice", "txtAutore", "txtCreazione", "txtModifica", "txtTipologia", "txtPagNum", "txtRigheNum",
    "txtCarta", "txtCarattere", "txtLingua", "txtDescrizione", "txtIncipit", "txtParole", "txtIllustrazioni",
    "txtAnnotazioni", "txtFormato", "txtStato", "txtCollocazione", "txtGiudizio", "txtNote"};

std::unique_ptr<Report> creaReportDocumento()
{
    auto report = std::make_unique<Report>(QStringLiteral("Pagina Documento"));
    PaginaReport *p = report->aggiungiPagina(std::make_unique<PaginaReport>(
        QStringLiteral("Page1"), QPageSize::A4, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10)));

    // Head of the sheet, in millimetres from the printable area's corner.
    p->aggiungi(std::make_unique<CasellaTesto>(
        QStringLiteral("txtNome"), areaMm(1.0, 0.5, 188.0, 4.0),
        testoArial(7, false, Qt::black, AllineamentoOrizzontale::Sinistra), QStringLiteral("NOME ARCHIVIO")));
    p->aggiungi(std::make_unique<Rettangolo>(QStringLiteral("shpTitolo"), areaMm(1.0, 5.0, 188.0, 8.0), kBluReale,
                                             kBluReale));
    p->aggiungi(std::make_unique<CasellaTesto>(
        QStringLiteral("txtTitolo"), areaMm(2.0, 6.2, 186.0, 6.0),
        testoArial(12, false, Qt::white, AllineamentoOrizzontale::Centro), QStringLiteral("TITOLO")));
    p->aggiungi(std::make_unique<CasellaImmagine>(QStringLiteral("imgLogo"), areaMm(1.0, 16.0, 188.0, 106.0)));

    for (const Blocco &b : kBlocchi) {
        const QString radice = QString::fromLatin1(b.casella).mid(3);
        p->aggiungi(std::make_unique<Rettangolo>(QStringLiteral("bar") + radice,
                                                 areaMm(b.sinistra, b.alto, b.larghezza, kAltezzaBarra), kBluReale,
                                                 kBluReale));
        p->aggiungi(std::make_unique<CasellaTesto>(
            QStringLiteral("lbl") + radice, areaMm(b.sinistra + 1, b.alto, b.larghezza - 2, kAltezzaBarra),
            testoArial(8, true, Qt::white, AllineamentoOrizzontale::Sinistra), QString::fromLatin1(b.didascalia)));
        const double altoValore = b.alto + kDistanzaValore;
        p->aggiungi(std::make_unique<Rettangolo>(QStringLiteral("box") + radice,
                                                 areaMm(b.sinistra, altoValore, b.larghezza, kAltezzaValore),
                                                 QColor(), Qt::black, 1.0));
        p->aggiungi(std::make_unique<CasellaTesto>(
            QString::fromLatin1(b.casella), areaMm(b.sinistra + 1, altoValore, b.larghezza - 2, kAltezzaValore),
            testoArial(8, false, Qt::black, AllineamentoOrizzontale::Sinistra)));
    }
    return report;
}

bool riempiReportDocumento(Report &report, const ValoriFoglio &valori)
{
    report.pagine().front()->impostaOrientamento(QPageLayout::Portrait);
    const bool foto = report.trova<CasellaImmagine>(QStringLiteral("imgLogo"))->impostaImmagine(valori.foto);
    unaRiga(report, QStringLiteral("txtTitolo"), valori.titolo);
    unaRiga(report, QStringLiteral("txtNome"), valori.nome);
    for (const char *nome : kCaselleDocumento)
        unaRiga(report, QString::fromLatin1(nome), valori.campi.value(QString::fromLatin1(nome)));
    return foto;
}
