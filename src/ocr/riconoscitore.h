#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

namespace tesseract {
class TessBaseAPI;
}

// How a recognition ended. Only Letto carries a text; every other end has
// its message for the user, in Italian.
struct EsitoLettura {
    enum class Stato { Letto, DatiMancanti, Illeggibile, Annullato };
    Stato stato = Stato::Letto;
    QString testo;
    QString messaggio;

    bool letto() const { return stato == Stato::Letto; }
};

Q_DECLARE_METATYPE(EsitoLettura)

// Percent done, 0 to 100; called on the thread that recognises.
using AvanzamentoLettura = std::function<void(int)>;

// The languages a page is read in, the first one leading: Italian pages are
// the common case, Latin and English the others.
extern const char *const kLingueLettura;

// Where Debian's language data packages put their files.
QString cartellaDatiLingueSistema();

// The text recognition engine, loaded once with the language data and used
// for any number of pages, on one thread at a time. Loading takes a good
// fraction of a second, so a long work keeps one per thread.
class Riconoscitore
{
public:
    // An empty folder means the system's language data.
    explicit Riconoscitore(const QString &cartellaDati = QString(),
                           const QString &lingue = QString::fromLatin1(kLingueLettura));
    ~Riconoscitore();
    Riconoscitore(const Riconoscitore &) = delete;
    Riconoscitore &operator=(const Riconoscitore &) = delete;

    // False when a language's data is missing or could not be loaded; every
    // reading then ends with DatiMancanti and this message.
    bool pronto() const { return m_messaggio.isEmpty(); }
    QString messaggioErrore() const { return m_messaggio; }
    QString cartellaDati() const { return m_cartella; }

    // Reads the text of a picture. A cancel set from another thread stops it
    // at the next word; a null picture is Illeggibile.
    EsitoLettura leggi(const QImage &immagine, const std::atomic_bool *annulla = nullptr,
                       const AvanzamentoLettura &avanzamento = {});
    // The same for a scan file, which is decoded here: a missing file, one
    // that is not a plain file (a FIFO, a device, a folder) or one that is
    // not a picture is Illeggibile.
    EsitoLettura leggiFile(const QString &percorso, const std::atomic_bool *annulla = nullptr,
                           const AvanzamentoLettura &avanzamento = {});

    // The engine itself, for the searchable PDF, which renders what it read.
    tesseract::TessBaseAPI *motore() { return m_api.get(); }

    // Long works run one page per core: each engine then keeps to its own
    // thread instead of spreading one page over all of them, which costs
    // more in hand-overs than it gains. Call on the thread that reads.
    static void unThreadPerPagina();

private:
    EsitoLettura riconosci(const std::atomic_bool *annulla, const AvanzamentoLettura &avanzamento);

    QString m_cartella;
    QString m_messaggio;
    std::unique_ptr<tesseract::TessBaseAPI> m_api;
};

// The message for a scan that cannot be read.
extern const QString kMessaggioScansioneIlleggibile;
