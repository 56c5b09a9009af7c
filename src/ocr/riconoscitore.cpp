#include "ocr/riconoscitore.h"

#include "storage/filenormale.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>

// The OpenMP runtime's own call, declared here so that nothing else of the
// program compiles for OpenMP.
extern "C" void omp_set_max_active_levels(int livelli);

const char *const kLingueLettura = "ita+lat+eng";

const QString kMessaggioScansioneIlleggibile =
    QStringLiteral("Attenzione: la scansione della pagina non si può leggere e il suo testo non è stato "
                   "riconosciuto.\n\r\n\rCaricare di nuovo la foto della pagina e riprovare.");

namespace {

// Pictures carry their resolution seldom and wrongly often; outside a
// plausible range, the resolution scans are usually made at.
constexpr int kDpiPredefiniti = 300;

int dpiImmagine(const QImage &immagine)
{
    const int dpi = qRound(immagine.dotsPerMeterX() * 0.0254);
    return dpi >= 70 && dpi <= 2400 ? dpi : kDpiPredefiniti;
}

QString pacchetto(const QString &lingua)
{
    return QStringLiteral("tesseract-ocr-") + lingua;
}

// Passed through the engine's monitor to its callbacks, which are plain
// function pointers.
struct Controllo {
    tesseract::ETEXT_DESC monitor;
    const std::atomic_bool *annulla = nullptr;
    const AvanzamentoLettura *avanzamento = nullptr;
    int ultimo = -1;
};

bool annullaLettura(void *dati, int)
{
    auto *c = static_cast<Controllo *>(dati);
    if (c->avanzamento && *c->avanzamento && c->monitor.progress != c->ultimo) {
        c->ultimo = c->monitor.progress;
        (*c->avanzamento)(c->ultimo);
    }
    return c->annulla && c->annulla->load();
}

} // namespace

QString cartellaDatiLingueSistema()
{
    return QStringLiteral("/usr/share/tesseract-ocr/5/tessdata");
}

Riconoscitore::Riconoscitore(const QString &cartellaDati, const QString &lingue)
    : m_cartella(cartellaDati.isEmpty() ? cartellaDatiLingueSistema() : cartellaDati)
{
    QStringList mancanti;
    for (const QString &l : lingue.split(QLatin1Char('+'), Qt::SkipEmptyParts))
        if (!QFileInfo::exists(m_cartella + QLatin1Char('/') + l + QStringLiteral(".traineddata")))
            mancanti.append(pacchetto(l));
    if (!mancanti.isEmpty()) {
        m_messaggio = QStringLiteral("Attenzione: mancano i dati delle lingue per il riconoscimento del "
                                     "testo.\n\r\n\rInstallare i pacchetti: ") +
                      mancanti.join(QStringLiteral(", ")) + QLatin1Char('.');
        return;
    }
    m_api = std::make_unique<tesseract::TessBaseAPI>();
    const QByteArray cartella = QFile::encodeName(m_cartella);
    if (m_api->Init(cartella.constData(), lingue.toLatin1().constData(), tesseract::OEM_LSTM_ONLY) != 0) {
        m_api.reset();
        m_messaggio = QStringLiteral("Attenzione: i dati delle lingue per il riconoscimento del testo non "
                                     "si possono caricare.\n\r\n\rReinstallare i pacchetti ") +
                      pacchetto(QStringLiteral("ita")) + QStringLiteral(", ") + pacchetto(QStringLiteral("lat")) +
                      QStringLiteral(" e ") + pacchetto(QStringLiteral("eng")) + QLatin1Char('.');
        return;
    }
    // The engine prints its remarks on a page (a guessed resolution, a
    // blank page) where nobody reads them.
    m_api->SetVariable("debug_file", "/dev/null");
}

Riconoscitore::~Riconoscitore()
{
    if (m_api)
        m_api->End();
}

void Riconoscitore::unThreadPerPagina()
{
    // No nested team: each parallel region of the engine runs on the
    // thread that reaches it.
    omp_set_max_active_levels(0);
}

EsitoLettura Riconoscitore::leggi(const QImage &immagine, const std::atomic_bool *annulla,
                                  const AvanzamentoLettura &avanzamento)
{
    if (!pronto())
        return {EsitoLettura::Stato::DatiMancanti, {}, m_messaggio};
    if (immagine.isNull() || immagine.width() < 3 || immagine.height() < 3)
        return {EsitoLettura::Stato::Illeggibile, {}, kMessaggioScansioneIlleggibile};
    const QImage grigia = immagine.convertToFormat(QImage::Format_Grayscale8);
    m_api->SetImage(grigia.constBits(), grigia.width(), grigia.height(), 1, int(grigia.bytesPerLine()));
    m_api->SetSourceResolution(dpiImmagine(immagine));
    return riconosci(annulla, avanzamento);
}

EsitoLettura Riconoscitore::leggiFile(const QString &percorso, const std::atomic_bool *annulla,
                                      const AvanzamentoLettura &avanzamento)
{
    if (!pronto())
        return {EsitoLettura::Stato::DatiMancanti, {}, m_messaggio};
    // Only a plain file: a FIFO planted in the scan's place would hold the
    // reading, and the work waiting for it, until someone wrote to it.
    QFile file;
    if (!apriFileNormale(file, percorso))
        return {EsitoLettura::Stato::Illeggibile, {}, kMessaggioScansioneIlleggibile};
    QImageReader lettore(&file);
    lettore.setAutoTransform(false);
    return leggi(lettore.read(), annulla, avanzamento);
}

EsitoLettura Riconoscitore::riconosci(const std::atomic_bool *annulla, const AvanzamentoLettura &avanzamento)
{
    Controllo controllo;
    controllo.annulla = annulla;
    controllo.avanzamento = &avanzamento;
    controllo.monitor.cancel = &annullaLettura;
    controllo.monitor.cancel_this = &controllo;
    if (annulla && annulla->load())
        return {EsitoLettura::Stato::Annullato, {}, {}};
    const int esito = m_api->Recognize(&controllo.monitor);
    if (annulla && annulla->load())
        return {EsitoLettura::Stato::Annullato, {}, {}};
    if (esito != 0)
        return {EsitoLettura::Stato::Illeggibile, {}, kMessaggioScansioneIlleggibile};
    std::unique_ptr<char[]> testo(m_api->GetUTF8Text());
    if (avanzamento)
        avanzamento(100);
    return {EsitoLettura::Stato::Letto, testo ? QString::fromUtf8(testo.get()) : QString(), {}};
}
