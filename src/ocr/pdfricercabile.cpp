#include "ocr/pdfricercabile.h"

#include "ocr/riconoscitore.h"
#include "storage/erroresistema.h"
#include "storage/filenormale.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/renderer.h>

#include <cerrno>
#include <cstdlib>

const QString kMessaggioPdfSenzaPagine =
    QStringLiteral("Attenzione: nessuna pagina dell'archivio ha una scansione leggibile: il file PDF non è stato "
                   "creato.");

QString messaggioPdfNonScritto(const QString &motivo)
{
    return QStringLiteral("Attenzione: il file PDF ricercabile non è stato scritto: %1.\n\r\n\r"
                          "L'eventuale file precedente è rimasto com'era.")
        .arg(motivo);
}

namespace {

// A text string of a PDF that holds any character: UTF-16 with its byte
// order mark, in hexadecimal.
QByteArray stringaPdf(const QString &testo)
{
    QByteArray utf16("\xfe\xff", 2);
    for (const QChar c : testo) {
        utf16.append(char(c.unicode() >> 8));
        utf16.append(char(c.unicode() & 0xff));
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

QByteArray voceXref(qint64 posizione)
{
    return QByteArray::number(posizione).rightJustified(10, '0') + " 00000 n \n";
}

bool annullaEsportazione(void *dati, int)
{
    return static_cast<std::atomic_bool *>(dati)->load();
}

// The positions the message names one by one; the others it counts.
constexpr int kPosizioniNominate = 20;

QString elencoPosizioni(const QVector<int> &posizioni)
{
    QStringList nomi;
    for (int k = 0; k < posizioni.size() && k < kPosizioniNominate; ++k)
        nomi.append(QString::number(posizioni.at(k)));
    const qsizetype altre = posizioni.size() - nomi.size();
    if (altre > 0)
        return nomi.join(QStringLiteral(", ")) + QStringLiteral(" e altre %1").arg(altre);
    const QString ultima = nomi.takeLast();
    return nomi.isEmpty() ? ultima : nomi.join(QStringLiteral(", ")) + QStringLiteral(" e ") + ultima;
}

QString notaTralasciate(const QVector<int> &posizioni)
{
    if (posizioni.isEmpty())
        return {};
    if (posizioni.size() == 1)
        return QStringLiteral("\n\r\n\rAttenzione: una pagina non è stata inclusa perché la sua scansione non si "
                              "può leggere: la pagina %1.")
            .arg(posizioni.first());
    return QStringLiteral("\n\r\n\rAttenzione: %1 pagine non sono state incluse perché le loro scansioni non si "
                          "possono leggere: le pagine %2.")
        .arg(posizioni.size())
        .arg(elencoPosizioni(posizioni));
}

// A failed system call's reason, or the given one when the call left none.
QString motivoDi(const QString &percorso, int codice, const QString &altrimenti = QString())
{
    return percorso + QStringLiteral(": ")
        + (codice == 0 && !altrimenti.isEmpty() ? altrimenti : motivoSistema(codice));
}

// A folder of the export's own, mode 0700, removed with all it holds.
class CartellaLavoro
{
public:
    CartellaLavoro()
    {
        QByteArray modello = QFile::encodeName(QDir::tempPath()) + "/velmora-pdf-XXXXXX";
        errno = 0;
        if (::mkdtemp(modello.data()))
            m_percorso = QFile::decodeName(modello);
        m_errore = errno;
    }
    ~CartellaLavoro()
    {
        if (!m_percorso.isEmpty())
            QDir(m_percorso).removeRecursively();
    }
    CartellaLavoro(const CartellaLavoro &) = delete;
    CartellaLavoro &operator=(const CartellaLavoro &) = delete;

    bool valida() const { return !m_percorso.isEmpty(); }
    int errore() const { return m_errore; }
    QString file(const QString &nome) const { return m_percorso + QLatin1Char('/') + nome; }

private:
    QString m_percorso;
    int m_errore = 0;
};

// A scan read once: the bytes the file held and the picture decoded from
// those very bytes. The page is recognised and embedded from them, never
// from the file again, so that another program saving the page meanwhile
// cannot give it the picture of one scan and the text of another.
struct ScansioneLetta {
    QByteArray byte;
    Pix *pix = nullptr;

    ScansioneLetta() = default;
    ScansioneLetta(const ScansioneLetta &) = delete;
    ScansioneLetta &operator=(const ScansioneLetta &) = delete;
    ~ScansioneLetta() { pixDestroy(&pix); }

    // Only a plain file: a FIFO planted in the scan's place would hold the
    // export, and the program's end with it, until someone wrote to it.
    bool leggi(const QString &percorso)
    {
        QFile file;
        if (!apriFileNormale(file, percorso))
            return false;
        byte = file.readAll();
        if (byte.isEmpty())
            return false;
        pix = pixReadMem(dati(), size_t(byte.size()));
        return pix != nullptr;
    }

    const l_uint8 *dati() const { return reinterpret_cast<const l_uint8 *>(byte.constData()); }

    // Whether the renderer embeds the bytes as they are: a JPEG of grey or
    // RGB samples. It refuses a CMYK one, and only after writing the page's
    // other parts, which would leave the PDF broken; such a scan, or one in
    // another format, it is given decoded, and encodes it itself.
    bool includibileComeLetta() const
    {
        l_int32 formato = IFF_UNKNOWN;
        if (byte.size() < 12 || findFileFormatBuffer(dati(), &formato) != 0 || formato != IFF_JFIF_JPEG)
            return false;
        l_int32 larghezza = 0, altezza = 0, campioni = 0, ycck = 0, cmyk = 0;
        return readHeaderMemJpeg(dati(), size_t(byte.size()), &larghezza, &altezza, &campioni, &ycck, &cmyk) == 0
            && (campioni == 1 || campioni == 3) && !ycck && !cmyk;
    }
};

bool scriviTutto(const QString &percorso, const QByteArray &byte)
{
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(byte) == byte.size() && file.flush();
}

bool copiaIn(const QString &percorso, QIODevice &destinazione)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray blocco(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 letti = file.read(blocco.data(), blocco.size());
        if (letti < 0)
            return false;
        if (letti == 0)
            return true;
        if (destinazione.write(blocco.constData(), letti) != letti)
            return false;
    }
}

} // namespace

bool aggiungiSegnalibri(const QString &percorsoPdf, const QStringList &titoli)
{
    QFile f(percorsoPdf);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    const QByteArray pdf = f.readAll();
    const QString testo = QString::fromLatin1(pdf);
    // The last trailer and cross-reference table, the catalogue, the page
    // tree: what the renderer writes, each once.
    const int inizioTrailer = int(testo.lastIndexOf(QStringLiteral("trailer")));
    if (inizioTrailer < 0)
        return false;
    const QString trailer = testo.mid(inizioTrailer);
    const auto numero = [](const QString &dove, const QString &schema) {
        const QRegularExpressionMatch m = QRegularExpression(schema).match(dove);
        return m.hasMatch() ? m.captured(1).toLongLong() : -1LL;
    };
    const qint64 size = numero(trailer, QStringLiteral("/Size\\s+(\\d+)"));
    const qint64 radice = numero(trailer, QStringLiteral("/Root\\s+(\\d+)\\s+0\\s+R"));
    const qint64 info = numero(trailer, QStringLiteral("/Info\\s+(\\d+)\\s+0\\s+R"));
    const qint64 xref = numero(trailer, QStringLiteral("startxref\\s+(\\d+)"));
    const qint64 albero = numero(testo, QStringLiteral("/Type\\s*/Catalog\\s*/Pages\\s+(\\d+)\\s+0\\s+R"));
    if (size <= 0 || radice <= 0 || xref <= 0 || albero <= 0)
        return false;
    const QRegularExpressionMatch figli =
        QRegularExpression(QStringLiteral("\\b%1 0 obj\\s*<<[^>]*/Kids\\s*\\[([^\\]]*)\\]").arg(albero)).match(testo);
    if (!figli.hasMatch())
        return false;
    QList<qint64> pagine;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("(\\d+)\\s+0\\s+R")).globalMatch(figli.captured(1));
    while (it.hasNext())
        pagine.append(it.next().captured(1).toLongLong());
    if (pagine.size() != titoli.size() || pagine.isEmpty())
        return false;

    // The outline root, one item per page, and the catalogue again with
    // the outline in it; then their cross-references and a trailer that
    // points back to the earlier table.
    QByteArray aggiunta = "\n";
    QList<QPair<qint64, qint64>> posizioni; // object, offset
    const qint64 base = pdf.size();
    const auto oggetto = [&](qint64 n, const QByteArray &corpo) {
        posizioni.append({n, base + aggiunta.size()});
        aggiunta += QByteArray::number(n) + " 0 obj\n" + corpo + "\nendobj\n";
    };
    const qint64 radiceSegnalibri = size;
    const qint64 primo = size + 1;
    const qint64 ultimo = size + pagine.size();
    oggetto(radice, "<< /Type /Catalog /Pages " + QByteArray::number(albero) + " 0 R /Outlines " +
                        QByteArray::number(radiceSegnalibri) + " 0 R /PageMode /UseOutlines >>");
    oggetto(radiceSegnalibri, "<< /Type /Outlines /First " + QByteArray::number(primo) + " 0 R /Last " +
                                  QByteArray::number(ultimo) + " 0 R /Count " + QByteArray::number(pagine.size()) +
                                  " >>");
    for (int k = 0; k < pagine.size(); ++k) {
        const qint64 n = primo + k;
        QByteArray voce = "<< /Title " + stringaPdf(titoli.at(k)) + " /Parent " +
                          QByteArray::number(radiceSegnalibri) + " 0 R";
        if (k > 0)
            voce += " /Prev " + QByteArray::number(n - 1) + " 0 R";
        if (k + 1 < pagine.size())
            voce += " /Next " + QByteArray::number(n + 1) + " 0 R";
        voce += " /Dest [" + QByteArray::number(pagine.at(k)) + " 0 R /Fit] >>";
        oggetto(n, voce);
    }
    const qint64 nuovoXref = base + aggiunta.size();
    aggiunta += "xref\n";
    aggiunta += QByteArray::number(radice) + " 1\n" + voceXref(posizioni.at(0).second);
    aggiunta += QByteArray::number(radiceSegnalibri) + ' ' + QByteArray::number(pagine.size() + 1) + '\n';
    for (int k = 1; k < posizioni.size(); ++k)
        aggiunta += voceXref(posizioni.at(k).second);
    aggiunta += "trailer\n<< /Size " + QByteArray::number(ultimo + 1) + " /Root " + QByteArray::number(radice) +
                " 0 R";
    if (info > 0)
        aggiunta += " /Info " + QByteArray::number(info) + " 0 R";
    aggiunta += " /Prev " + QByteArray::number(xref) + " >>\nstartxref\n" + QByteArray::number(nuovoXref) +
                "\n%%EOF\n";
    return f.seek(base) && f.write(aggiunta) == aggiunta.size() && f.flush();
}

EsportazionePdf::EsportazionePdf(const QVector<PaginaPdf> &pagine, const QString &titolo,
                                 const QString &destinazione, const QString &cartellaDati, QObject *parent)
    : QObject(parent)
    , m_pagine(pagine)
    , m_titolo(titolo)
    , m_destinazione(destinazione)
    , m_cartellaDati(cartellaDati)
{
}

EsportazionePdf::~EsportazionePdf()
{
    m_annulla = true;
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void EsportazionePdf::avvia()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] {
        QString messaggio;
        const bool riuscita = esporta(messaggio);
        QMetaObject::invokeMethod(this, [this, riuscita, messaggio] { emit finita(riuscita, messaggio); },
                                  Qt::QueuedConnection);
    });
    m_thread->start();
}

void EsportazionePdf::annulla()
{
    m_annulla = true;
}

bool EsportazionePdf::esporta(QString &messaggio)
{
    Riconoscitore motore(m_cartellaDati);
    if (!motore.pronto()) {
        messaggio = motore.messaggioErrore();
        return false;
    }
    // A scan that cannot be read is left out and named in the message, not
    // on the terminal.
    setMsgSeverity(L_SEVERITY_NONE);
    // The renderer opens its file by name and follows whatever stands
    // there; in a folder of this export's own nothing can stand there, and
    // no other export to the same destination shares the file.
    const CartellaLavoro lavoro;
    if (!lavoro.valida()) {
        messaggio = messaggioPdfNonScritto(motivoDi(QDir::tempPath(), lavoro.errore()));
        return false;
    }
    const QString provvisorio = lavoro.file(QStringLiteral("documento.pdf"));
    const QString copia = lavoro.file(QStringLiteral("scansione.jpg"));
    const QByteArray nomeCopia = QFile::encodeName(copia);
    const QByteArray titolo = m_titolo.toUtf8();
    QStringList titoli;
    QVector<int> tralasciate;
    {
        errno = 0;
        // The renderer names its file after a base it is given.
        tesseract::TessPDFRenderer pdf(QFile::encodeName(provvisorio.chopped(4)).constData(),
                                       QFile::encodeName(motore.cartellaDati()).constData());
        if (!pdf.happy() || !pdf.BeginDocument(titolo.constData())) {
            messaggio = messaggioPdfNonScritto(motivoDi(provvisorio, errno));
            return false;
        }
        tesseract::TessBaseAPI *api = motore.motore();
        // A scan the renderer cannot embed as it is loses no more than
        // the program's own saving of a scan does.
        api->SetVariable("jpg_quality", QByteArray::number(kQualitaJpeg).constData());
        for (int k = 0; k < m_pagine.size() && !m_annulla; ++k) {
            const PaginaPdf &pagina = m_pagine.at(k);
            ScansioneLetta scansione;
            bool inclusa = false;
            if (scansione.leggi(pagina.scansione)) {
                const bool comeLetta = scansione.includibileComeLetta();
                if (comeLetta && !scriviTutto(copia, scansione.byte)) {
                    messaggio = messaggioPdfNonScritto(motivoDi(copia, errno));
                    return false;
                }
                // The renderer embeds the file named here, byte for byte:
                // the copy of what was read, never the scan by its name.
                api->SetInputName(comeLetta ? nomeCopia.constData() : nullptr);
                if (pixGetXRes(scansione.pix) <= 0 || pixGetYRes(scansione.pix) <= 0)
                    pixSetResolution(scansione.pix, 300, 300);
                api->SetImage(scansione.pix);
                tesseract::ETEXT_DESC monitor;
                monitor.cancel = &annullaEsportazione;
                monitor.cancel_this = &m_annulla;
                if (api->Recognize(&monitor) == 0 && !m_annulla) {
                    errno = 0;
                    if (!pdf.AddImage(api)) {
                        messaggio = messaggioPdfNonScritto(
                            pdf.happy() ? QStringLiteral("la scansione della pagina %1 non si può inserire nel file")
                                              .arg(pagina.posizione)
                                        : motivoDi(provvisorio, errno));
                        return false;
                    }
                    titoli.append(pagina.titolo);
                    inclusa = true;
                }
                api->Clear();
            }
            if (!inclusa && !m_annulla)
                tralasciate.append(pagina.posizione);
            const int fatte = k + 1;
            QMetaObject::invokeMethod(this, [this, fatte] { emit avanzamento(fatte, int(m_pagine.size())); },
                                      Qt::QueuedConnection);
        }
        if (m_annulla)
            return false;
        if (titoli.isEmpty()) {
            messaggio = kMessaggioPdfSenzaPagine;
            return false;
        }
        errno = 0;
        if (!pdf.EndDocument()) {
            messaggio = messaggioPdfNonScritto(motivoDi(provvisorio, errno));
            return false;
        }
    } // the renderer closes its file here
    errno = 0;
    if (!aggiungiSegnalibri(provvisorio, titoli)) {
        messaggio = messaggioPdfNonScritto(
            motivoDi(provvisorio, errno, QStringLiteral("il file scritto non ha la forma attesa")));
        return false;
    }
    if (m_annulla)
        return false;
    // Like every other file of the program: a file of its own, renamed over
    // the destination when whole; a link standing there is replaced, what it
    // points to never written.
    QString motivo;
    if (!sostituisciFile(
            m_destinazione, [&provvisorio](QIODevice &file) { return copiaIn(provvisorio, file); }, &motivo)) {
        messaggio = messaggioPdfNonScritto(motivo);
        return false;
    }
    messaggio = notaTralasciate(tralasciate);
    return true;
}
