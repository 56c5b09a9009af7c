#pragma once

#include <QHash>
#include <QString>
#include <QVariantList>
#include <QVector>

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
// scans (a write that met the damage goes into the new file).
class IndiceTesti
{
public:
    // The schema this version writes and reads.
    static constexpr int kVersione = 2;
    // The highest position a page can have.
    static constexpr int kUltimaPosizione = 0x7fffffff;

    enum class Apertura { Aperto, PiuRecente, Ricreato, Impossibile };

    explicit IndiceTesti(const QString &percorso);
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

private:
    bool apri();
    void chiudi();
    bool creaSchema(int versionePrecedente);
    bool ricrea();
    bool rimediaDanno(const QSqlError &errore);
    bool esegui(const QString &sql);
    void registraErrore(const QSqlError &errore);
    bool scriviTransazione(const QString &archivio, const QVector<Pagina> &pagine, QSqlError *errore);
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
// Empty when there is no word.
QString richiestaTestuale(const QString &parole);

// The mark of a scan file as it is on disk now (size and time of the last
// change); empty when there is no file. A scan whose mark has not changed
// since it was read is not read again.
QString firmaScansione(const QString &percorso);

// Messages.
extern const QString kMessaggioIndicePiuRecente;
extern const QString kMessaggioIndiceRicreato;
extern const QString kMessaggioIndiceDiscoPieno;
extern const QString kMessaggioIndiceNonScritto;
