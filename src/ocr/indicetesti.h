#pragma once

#include <QHash>
#include <QString>
#include <QVariantList>
#include <QVector>

#include <functional>

class QSqlError;
class QSqlQuery;

// The recognised text of every page, kept beside the archives in one
// database file of the program folder, with a full-text index: one row per
// archive and position, the text and the mark of the scan it was read from.
// Words match without regard to case and accents ("citta" finds "città").
//
// The file is written in transactions: a write that fails (a full disk)
// leaves it as it was. A file written by a newer version of the program is
// neither used nor touched; a damaged one, found so at the opening or while
// in use, is put aside and made anew empty, to be filled again from the
// scans (a write that met the damage goes into the new file). A link at the
// file's name (or at its journal's) is never followed: the index is not used.
//
// Another program may use the same file: a write takes the file's write lock
// as it begins and waits for it up to kAttesaBlocco.
class IndiceTesti
{
public:
    // The schema this version writes and reads.
    static constexpr int kVersione = 2;
    // The highest position a page can have.
    static constexpr int kUltimaPosizione = 0x7fffffff;
    // How long a write or a search waits, in milliseconds, for another
    // program to let the file go. Another program holds it while it writes
    // a page (milliseconds) or searches (under a second); five seconds is
    // well past both, and short enough for a window that waits on it.
    static constexpr int kAttesaBlocco = 5000;

    enum class Apertura { Aperto, PiuRecente, Ricreato, Collegamento, Impossibile };

    // ricreaDanneggiato false: a file found damaged is left as it is (at the
    // opening the index is then not usable), for work that must not repair
    // it unseen.
    explicit IndiceTesti(const QString &percorso, bool ricreaDanneggiato = true);
    ~IndiceTesti();
    IndiceTesti(const IndiceTesti &) = delete;
    IndiceTesti &operator=(const IndiceTesti &) = delete;

    // "<program folder>Testi_Pagine.db".
    static QString percorsoIn(const QString &cartellaProgramma);

    Apertura apertura() const { return m_apertura; }
    // Usable: opened, or made anew after damage.
    bool usabile() const { return m_usabile; }
    // What the user is told about the opening (newer version, damage,
    // cannot open); empty when all went well.
    QString messaggioApertura() const { return m_messaggioApertura; }
    // What the last failed write or search should tell the user.
    QString ultimoErrore() const { return m_ultimoErrore; }
    // Once: that the file was found damaged while in use and made anew
    // (kMessaggioIndiceRicreato); empty otherwise.
    QString prendiAvviso();

    // Writes the text of one page, replacing any earlier one, with the mark
    // of the scan it was read from. False when it could not be written (the
    // file keeps its earlier content; see ultimoErrore).
    bool scriviPagina(const QString &archivio, int posizione, const QString &testo, const QString &firma);
    struct Pagina {
        int posizione = 0;
        QString testo;
        QString firma;
    };
    // Several pages in one transaction: all of them or none.
    bool scriviPagine(const QString &archivio, const QVector<Pagina> &pagine);
    // Takes the texts of the pages at these positions out, all or none.
    bool togliPagine(const QString &archivio, const QVector<int> &posizioni);
    // Takes every text of the archive out, and its name.
    bool togliArchivio(const QString &archivio);

    // The scan marks of an archive's pages, by position.
    QHash<int, QString> firme(const QString &archivio);
    // The stored text of a page; empty when there is none.
    QString testo(const QString &archivio, int posizione);

    struct Trovata {
        int posizione = 0;
        // The matching words with some words before and after them, the
        // matches between « and ».
        QString contesto;
    };
    // The pages of the archive up to `ultimaPosizione` whose text holds
    // every word (and every phrase in quotes) of the request, by position;
    // the first `limite` of them. Empty when nothing matches or the request
    // holds no word.
    QVector<Trovata> cerca(const QString &archivio, const QString &parole, int limite = 10000,
                           int ultimaPosizione = kUltimaPosizione);
    // How many pages cerca() would find without a limit.
    int conta(const QString &archivio, const QString &parole, int ultimaPosizione = kUltimaPosizione);

    // Waits this long for another program's lock instead of kAttesaBlocco:
    // for work that may be left undone, and for a test to meet a lock held
    // too long without waiting for it.
    void limitaAttesa(int millisecondi);

private:
    bool apri();
    void chiudi();
    bool creaSchema(int versionePrecedente);
    bool ricrea();
    bool rimediaDanno(const QSqlError &errore);
    bool esegui(const QString &sql);
    void registraErrore(const QSqlError &errore);
    // Runs `lavoro` in a transaction that holds the write lock from its
    // start: all of it or nothing. A file found damaged is made anew and
    // `lavoro` runs again in it.
    bool scrivi(const std::function<bool(QSqlError *)> &lavoro);
    bool transazione(const std::function<bool(QSqlError *)> &lavoro, QSqlError *errore);
    bool scriviTesti(const QString &archivio, const QVector<Pagina> &pagine, QSqlError *errore);
    // Runs `sql` once for each number in `chiavi`, bound as its one value.
    bool perOgniChiave(const QString &sql, const QVector<qint64> &chiavi, QSqlError *errore);
    // A page's number: its archive's number in the high half, its position
    // in the low one.
    static qint64 chiave(qint64 numeroArchivio, int posizione);
    static int posizioneDi(qint64 chiave);
    // 0 when the archive has no number (and `crea` is false) or on error.
    qint64 numeroArchivio(const QString &archivio, bool crea, QSqlError *errore);
    // Runs `sql`, whose first two values are the numbers of the archive's
    // pages at positions `da` and `a`, then `valori`; `leggi` takes each row.
    template <class Leggi>
    bool leggiPagine(const QString &archivio, int da, int a, const QString &sql, const QVariantList &valori,
                     const Leggi &leggi);

    QString m_percorso;
    bool m_ricreaDanneggiato = true;
    QString m_connessione;
    Apertura m_apertura = Apertura::Impossibile;
    bool m_usabile = false;
    QString m_messaggioApertura;
    QString m_ultimoErrore;
    QString m_avviso;
};

// The full-text request for what the user typed: every word must be there,
// a text in double quotes as a phrase. Words are taken as the index takes
// them (letters and digits), so no typed character can break the request.
// A word or phrase given again (in any case) counts once, and the request
// takes the first kMassimoParole words only, a phrase cut where they end:
// *ridotta says whether some were left out. Empty when there is no word.
QString richiestaTestuale(const QString &parole, bool *ridotta = nullptr);
// The most words a search takes.
extern const int kMassimoParole;

// The words around the matches of a text in which each match lies between
// kInizioTrovata and kFineTrovata: the `quante` words where the most
// different matches are, the matches between « and », "…" where the text
// goes on. In one pass over the text, however many matches it holds.
QString contestoDa(const QString &evidenziato, int quante = 12);
constexpr char16_t kInizioTrovata = 0x1;
constexpr char16_t kFineTrovata = 0x2;

// The mark of a scan file as it is on disk now (size and time of the last
// change); empty when there is no file. A scan whose mark has not changed
// since it was read is not read again.
QString firmaScansione(const QString &percorso);

// Messages.
extern const QString kMessaggioIndicePiuRecente;
extern const QString kMessaggioIndiceRicreato;
extern const QString kMessaggioIndiceDiscoPieno;
extern const QString kMessaggioIndiceNonScritto;
extern const QString kMessaggioIndiceOccupato;
extern const QString kMessaggioIndiceCollegamento;
