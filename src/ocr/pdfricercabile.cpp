#include "ocr/pdfricercabile.h"

#include "ocr/riconoscitore.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/renderer.h>

#include <cstdio>

const QString kMessaggioPdfNonScritto = QStringLiteral(
    "Attenzione: il sistema non permette di scrivere il file PDF.\n\r\n\rAccertarsi di possedere i privilegi di "
    "scrittura nella cartella scelta e che il disco non sia pieno.");
const QString kMessaggioPdfSenzaPagine =
    QStringLiteral("Attenzione: nessuna pagina dell'archivio ha una scansione leggibile: il file PDF non è stato "
                   "creato.");

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

QString EsportazionePdf::percorsoProvvisorio(const QString &destinazione)
{
    const QFileInfo info(destinazione);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".parziale.pdf");
}

void EsportazionePdf::avvia()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] {
        const QString messaggio = esporta();
        const bool riuscita = messaggio.isEmpty() && !m_annulla;
        QMetaObject::invokeMethod(this, [this, riuscita, messaggio] { emit finita(riuscita, messaggio); },
                                  Qt::QueuedConnection);
    });
    m_thread->start();
}

void EsportazionePdf::annulla()
{
    m_annulla = true;
}

QString EsportazionePdf::esporta()
{
    Riconoscitore motore(m_cartellaDati);
    if (!motore.pronto())
        return motore.messaggioErrore();
    // A scan that cannot be read is left out and said so by the count of
    // pages, not on the terminal.
    setMsgSeverity(L_SEVERITY_NONE);
    const QString provvisorio = percorsoProvvisorio(m_destinazione);
    // The renderer names its file after a base it is given.
    const QByteArray baseFile = QFile::encodeName(provvisorio.chopped(4));
    const QByteArray titolo = m_titolo.toUtf8();
    QStringList titoli;
    QString messaggio;
    {
        tesseract::TessPDFRenderer pdf(baseFile.constData(), QFile::encodeName(motore.cartellaDati()).constData());
        if (!pdf.happy() || !pdf.BeginDocument(titolo.constData())) {
            QFile::remove(provvisorio);
            return kMessaggioPdfNonScritto;
        }
        tesseract::TessBaseAPI *api = motore.motore();
        for (int k = 0; k < m_pagine.size() && !m_annulla; ++k) {
            const QByteArray file = QFile::encodeName(m_pagine.at(k).scansione);
            Pix *pix = pixRead(file.constData());
            if (pix) {
                if (pixGetXRes(pix) <= 0 || pixGetYRes(pix) <= 0)
                    pixSetResolution(pix, 300, 300);
                api->SetInputName(file.constData());
                api->SetImage(pix);
                tesseract::ETEXT_DESC monitor;
                monitor.cancel = &annullaEsportazione;
                monitor.cancel_this = &m_annulla;
                const bool letta = api->Recognize(&monitor) == 0 && !m_annulla;
                if (letta && !pdf.AddImage(api))
                    messaggio = kMessaggioPdfNonScritto;
                else if (letta)
                    titoli.append(m_pagine.at(k).titolo);
                pixDestroy(&pix);
                api->Clear();
                if (!messaggio.isEmpty())
                    break;
            }
            const int fatte = k + 1;
            QMetaObject::invokeMethod(this, [this, fatte] { emit avanzamento(fatte, int(m_pagine.size())); },
                                      Qt::QueuedConnection);
        }
        if (messaggio.isEmpty() && !m_annulla && titoli.isEmpty())
            messaggio = kMessaggioPdfSenzaPagine;
        if (messaggio.isEmpty() && !m_annulla && !pdf.EndDocument())
            messaggio = kMessaggioPdfNonScritto;
    } // the renderer closes its file here
    if (messaggio.isEmpty() && !m_annulla && !aggiungiSegnalibri(provvisorio, titoli))
        messaggio = kMessaggioPdfNonScritto;
    if (!messaggio.isEmpty() || m_annulla) {
        QFile::remove(provvisorio);
        return messaggio;
    }
    // POSIX rename replaces a file already there in one step.
    if (std::rename(QFile::encodeName(provvisorio).constData(), QFile::encodeName(m_destinazione).constData()) != 0) {
        QFile::remove(provvisorio);
        return kMessaggioPdfNonScritto;
    }
    return {};
}
