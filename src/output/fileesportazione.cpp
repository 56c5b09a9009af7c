#include "output/fileesportazione.h"

#include "storage/sostituzionefile.h"
#include "storage/testobyte.h"

#include <QFileInfo>

#include <exception>

namespace {

// Writes go out in pieces of this size: few system calls, little memory.
constexpr qsizetype kPezzo = 1 << 20;

constexpr char kTesta[] =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>Pagine Documento</x:Name>"
    "<x:WorksheetOptions>"
    "<x:Selected/>"
    "<x:Panes>"
    "<x:Pane>"
    "<x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow>"
    "</x:Pane>"
    "</x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions>"
    "</x:ExcelWorksheet>"
    "</x:ExcelWorksheets>"
    "</x:ExcelWorkbook>"
    "</xml><![endif]-->"
    "</head>"
    "<body>"
    "<table x:str>";
constexpr char kCoda[] = "</table></body></html>";
constexpr char kApriIntestazione[] = "<td style=\"text-align: left; font-weight: bold;\" width=";
// Every cell is declared text, so that a spreadsheet program shows what was
// stored instead of what it makes of it: "0042" would become 42, "1.000"
// 1, and a field starting with "=" would run as a formula on the machine of
// whoever opens the file. LibreOffice reads the number format of a cell from
// sdnum (language; language of the format; the format, "@" being text), the
// other common spreadsheet program from mso-number-format in the style.
constexpr char kApriCella[] = "<td style=\"text-align: left; mso-number-format:\\@;\" sdnum=\"1040;1040;@\">";
constexpr char kChiudiCella[] = "</td>";

} // namespace

ErroreEsportazione::ErroreEsportazione(const QString &dettaglio)
    : std::runtime_error(dettaglio.toStdString())
{
}

const QString kFileEsportazione = QStringLiteral("Pagine_Documento.xls");
const QString kMessaggioEsportazioneFallita = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
    "Accertarsi che il file di Excel non sia gi\u00E0 aperto.");

QString fileBloccoFoglio(const QString &percorso)
{
    const QFileInfo info(percorso);
    return info.path() + QStringLiteral("/.~lock.") + info.fileName() + QLatin1Char('#');
}

ScrittoreEsportazione::ScrittoreEsportazione(QIODevice &destinazione)
    : m_destinazione(destinazione)
{
    m_buffer.reserve(kPezzo + 4096);
    aggiungi(kTesta);
    aggiungi("<tr>");
    for (int c = 1; c < kColonneGriglia; ++c) {
        const ColonnaEsportazione &colonna = colonneEsportazione()[size_t(c)];
        aggiungi(kApriIntestazione);
        aggiungi(QByteArray::number(colonna.larghezzaFile));
        aggiungi(">");
        aggiungi(colonna.intestazione.toLatin1());
        aggiungi(kChiudiCella);
    }
    aggiungi("</tr>");
}

void ScrittoreEsportazione::aggiungiCella(QByteArrayView testo)
{
    aggiungi(kApriCella);
    const QByteArrayView cella = Testo::trimBytes(testo);
    // A spreadsheet program reads the file as HTML: an unescaped '<' starts
    // a tag and '&' an entity, and a run of blanks folds into one, so the
    // text would not come back as stored. A blank that follows another is
    // written as a character reference, which no reader folds.
    qsizetype da = 0;
    for (qsizetype i = 0; i < cella.size(); ++i) {
        const char *entita = nullptr;
        switch (cella[i]) {
        case '&': entita = "&amp;"; break;
        case '<': entita = "&lt;"; break;
        case '>': entita = "&gt;"; break;
        case ' ':
            if (i == 0 || cella[i - 1] != ' ')
                continue;
            entita = "&#32;";
            break;
        default: continue;
        }
        aggiungi(cella.sliced(da, i - da));
        aggiungi(entita);
        da = i + 1;
    }
    aggiungi(cella.sliced(da));
    aggiungi(kChiudiCella);
}

void ScrittoreEsportazione::aggiungiRiga(const CelleRiga &celle)
{
    aggiungi("<tr>");
    for (const QByteArrayView &cella : celle)
        aggiungiCella(cella);
    aggiungi("</tr>");
    if (m_buffer.size() >= kPezzo)
        scriviBuffer();
}

void ScrittoreEsportazione::scriviBuffer()
{
    if (m_destinazione.write(m_buffer) != m_buffer.size())
        throw ErroreEsportazione(m_destinazione.errorString());
    m_buffer.resize(0); // keeps the capacity for the next piece
}

void ScrittoreEsportazione::concludi()
{
    aggiungi(kCoda);
    scriviBuffer();
}

void scriviEsportazione(const QString &percorso, const RigheEsportazione &righe, const ChiamateDisco &chiamate)
{
    // Nothing on Linux stops us replacing a file a spreadsheet program has
    // open, but that program would later save its own copy over ours.
    if (QFileInfo::exists(fileBloccoFoglio(percorso)))
        throw ErroreEsportazione(QStringLiteral("%1 is open in a spreadsheet program").arg(percorso));
    // The replacement must not be left half made by an exception: the
    // first failure ends the writing and is thrown again once the new
    // file is gone.
    std::exception_ptr errore;
    QString motivo;
    const bool sostituito = sostituisciFile(
        percorso,
        [&](QIODevice &file) {
            try {
                ScrittoreEsportazione scrittore(file);
                righe([&scrittore](const CelleRiga &celle) { scrittore.aggiungiRiga(celle); });
                scrittore.concludi();
                return true;
            } catch (...) {
                errore = std::current_exception();
                return false;
            }
        },
        &motivo, 07777, chiamate);
    if (errore)
        std::rethrow_exception(errore);
    if (!sostituito)
        throw ErroreEsportazione(motivo);
}
