// Writes an archive of awkward records into the folder it is given, exports
// it as the export window does, and writes beside the export the fields the
// spreadsheet program must show (attesi.json: the header row, then one array
// of 22 texts per record). scripts/check-export.sh drives it.

#include "output/colonneesportazione.h"
#include "output/modelloesportazione.h"
#include "storage/archiviopagine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace {

TSchedaPagina scheda(std::initializer_list<std::pair<Campo, QString>> campi, bool daCompletare)
{
    TSchedaPagina s = schedaVuota();
    for (const auto &[campo, testo] : campi)
        impostaCampo(s, campo, testo);
    impostaFlag(s, daCompletare);
    return s;
}

QVector<TSchedaPagina> schede()
{
    return {
        scheda({{Campo::Titolo, QStringLiteral("Lettera a<b>c & d")},
                {Campo::Codice, QStringLiteral("R&D-01")},
                {Campo::Autore, QStringLiteral("Ren\u00E9 d'Orl\u00E9ans")},
                {Campo::Tipologia, QStringLiteral("<b>grassetto</b>")},
                {Campo::Carta, QStringLiteral("&amp; &lt; &#38;")},
                {Campo::Descrizione, QStringLiteral("Detto \"il Moro\", citt\u00E0 di \u00C0sti, \u20AC 12,50")},
                {Campo::Incipit, QStringLiteral("\u00AB Nel mezzo \u00BB \u2013 \u201Ccos\u00EC\u201D \u2026")},
                {Campo::Parole, QStringLiteral("perch\u00E9; pi\u00F9; \u00F2; \u00FC; \u00DF; \u00E7")},
                {Campo::Note, QStringLiteral("<!-- non un commento -->")}},
               true),
        scheda({{Campo::Titolo, QStringLiteral("Atto notarile")},
                {Campo::Autore, QStringLiteral("Notaio \"Bianchi\"")},
                {Campo::Lingua, QStringLiteral("Latino & volgare")},
                {Campo::Illustrazioni, QStringLiteral("a > b < c")},
                {Campo::Giudizio, QStringLiteral("prezzo: 5 \u20AC; valore > 100 \u20AC")}},
               false),
        scheda({{Campo::Titolo, QStringLiteral("Pagina vuota")}}, false),
        // Texts a spreadsheet program would take for numbers, dates, truth
        // values or formulas: each must come back as typed, none may run.
        scheda({{Campo::Titolo, QStringLiteral("=SOMMA(1;2) 007")},
                {Campo::Codice, QStringLiteral("0042")},
                {Campo::Autore, QStringLiteral("+39 06 1234")},
                {Campo::Creazione, QStringLiteral("12/03/1921")},
                {Campo::Modifica, QStringLiteral("1921-03-12")},
                {Campo::Tipologia, QStringLiteral("@nome")},
                {Campo::PagNum, QStringLiteral("007")},
                {Campo::RigheNum, QStringLiteral("1.000")},
                {Campo::Carta, QStringLiteral("1,5")},
                {Campo::Carattere, QStringLiteral("TRUE")},
                {Campo::Lingua, QStringLiteral("1e5")},
                {Campo::Descrizione, QStringLiteral("tre   spazi,  due e    quattro")},
                {Campo::Incipit, QStringLiteral("-5")},
                {Campo::Parole, QStringLiteral("=HYPERLINK(\"http://esempio.invalid\";\"apri\")")},
                {Campo::Illustrazioni, QStringLiteral("=WEBSERVICE(\"http://esempio.invalid\")")},
                {Campo::Annotazioni, QStringLiteral("3%")},
                {Campo::Formato, QStringLiteral("1/2")},
                {Campo::Stato, QStringLiteral("12:30")},
                {Campo::Collocazione, QStringLiteral("'apice")},
                {Campo::Giudizio, QStringLiteral("(12)")},
                {Campo::Note, QStringLiteral("VERO")}},
               false),
    };
}

bool scrivi(const QString &percorso, const QByteArray &contenuto)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(contenuto) == contenuto.size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString cartella = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    const QString archivio = cartella + QStringLiteral("Verifica.kpx");
    const QVector<TSchedaPagina> tutte = schede();
    QFile::remove(archivio);
    QByteArray byte(reinterpret_cast<const char *>(tutte.constData()), int(tutte.size() * kDimensioneScheda));
    if (!scrivi(archivio, byte))
        return 1;

    QJsonArray righe;
    QJsonArray intestazioni;
    for (int c = 1; c < kColonneGriglia; ++c)
        intestazioni.append(colonneEsportazione()[size_t(c)].intestazione);
    righe.append(intestazioni);
    for (const TSchedaPagina &s : tutte) {
        QJsonArray riga;
        for (int c = 1; c < kColonneGriglia; ++c)
            riga.append(leggiCampo(s, Campo(c - 1)));
        righe.append(riga);
    }
    if (!scrivi(cartella + QStringLiteral("attesi.json"), QJsonDocument(righe).toJson()))
        return 1;

    ModelloEsportazione modello;
    modello.carica(archivio);
    try {
        esportaGriglia(modello, cartella + kFileEsportazione);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "export failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
