#include "ocr/indicetesti.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <limits>

const QString kMessaggioIndicePiuRecente = QStringLiteral(
    "Attenzione: l'indice dei testi delle pagine (Testi_Pagine.db) è stato scritto da una versione più recente "
    "del programma.\n\r\n\rL'indice non viene usato né modificato: la ricerca nel testo e il riconoscimento "
    "non sono disponibili con questa versione.");
const QString kMessaggioIndiceRicreato = QStringLiteral(
    "Attenzione: l'indice dei testi delle pagine (Testi_Pagine.db) era danneggiato ed è stato ricreato.\n\r\n\r"
    "Il file danneggiato è stato conservato come Testi_Pagine.db.danneggiato; i testi vengono letti di nuovo "
    "dalle scansioni.");
const QString kMessaggioIndiceDiscoPieno = QStringLiteral(
    "Attenzione: il disco è pieno e il testo della pagina non è stato scritto nell'indice.\n\r\n\r"
    "L'indice è rimasto com'era: liberare spazio e ripetere il riconoscimento.");
const QString kMessaggioIndiceNonScritto = QStringLiteral(
    "Attenzione: il testo della pagina non è stato scritto nell'indice.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kMessaggioIndiceOccupato =
    QStringLiteral("Attenzione: un altro programma tiene occupato l'indice dei testi delle pagine (Testi_Pagine.db) "
                   "da più di %1 secondi.\n\r\n\rL'indice è rimasto com'era: ripetere l'operazione quando l'altro "
                   "programma avrà finito.")
        .arg(IndiceTesti::kAttesaBlocco / 1000);
const QString kMessaggioIndiceCollegamento = QStringLiteral(
    "Attenzione: l'indice dei testi delle pagine (Testi_Pagine.db) è un collegamento ad un altro file e non viene "
    "usato.\n\r\n\rLa ricerca nel testo e il riconoscimento non sono disponibili finché il collegamento resta "
    "nella cartella di installazione del programma.");

const int kMassimoParole = 16;

namespace {

// SQLite's result codes that matter here.
constexpr int kPieno = 13;     // SQLITE_FULL
constexpr int kOccupato = 5; // SQLITE_BUSY
constexpr int kBloccato = 6; // SQLITE_LOCKED
constexpr int kDanneggiato = 11; // SQLITE_CORRUPT
constexpr int kNonDatabase = 26; // SQLITE_NOTADB

int codice(const QSqlError &errore)
{
    // Extended codes carry the primary one in their low byte.
    return errore.nativeErrorCode().toInt() & 0xff;
}

bool danno(const QSqlError &errore)
{
    const int c = codice(errore);
    return c == kDanneggiato || c == kNonDatabase;
}

QString nuovaConnessione()
{
    static QAtomicInt contatore;
    return QStringLiteral("velmora_testi_%1").arg(contatore.fetchAndAddRelaxed(1));
}

bool isParola(QChar c)
{
    return c.isLetterOrNumber() || c.category() == QChar::Mark_NonSpacing;
}

// The words of a text as the index cuts them, each in double quotes.
QStringList paroleTra(const QString &testo)
{
    QStringList parole;
    QString parola;
    for (const QChar c : testo) {
        if (isParola(c)) {
            parola += c;
        } else if (!parola.isEmpty()) {
            parole.append(parola);
            parola.clear();
        }
    }
    if (!parola.isEmpty())
        parole.append(parola);
    return parole;
}

} // namespace

QString richiestaTestuale(const QString &parole, bool *ridotta)
{
    // Each word is one more condition that every page is checked against,
    // and one more mark in every context: a text pasted whole, or a word
    // typed a thousand times, would hold the window for minutes.
    QStringList parti;
    QSet<QString> date;
    int prese = 0;
    bool lasciate = false;
    const QStringList pezzi = parole.split(QLatin1Char('"'));
    for (int k = 0; k < pezzi.size() && !lasciate; ++k) {
        const QStringList p = paroleTra(pezzi.at(k));
        // Inside quotes (an unclosed quote runs to the end): one phrase.
        const bool frase = k % 2 == 1;
        const int gruppi = frase ? qMin(1, int(p.size())) : int(p.size());
        for (int g = 0; g < gruppi && !lasciate; ++g) {
            QStringList gruppo = frase ? p : QStringList{p.at(g)};
            const auto chiaveDi = [](const QStringList &w) {
                return w.join(QLatin1Char(' ')).normalized(QString::NormalizationForm_C).toCaseFolded();
            };
            QString chiave = chiaveDi(gruppo);
            if (date.contains(chiave))
                continue;
            if (prese + gruppo.size() > kMassimoParole) {
                lasciate = true;
                gruppo = gruppo.mid(0, kMassimoParole - prese);
                // What is left of a phrase may be a word already taken.
                chiave = chiaveDi(gruppo);
                if (gruppo.isEmpty() || date.contains(chiave))
                    break;
            }
            date.insert(chiave);
            prese += int(gruppo.size());
            parti.append(QLatin1Char('"') + gruppo.join(QLatin1Char(' ')) + QLatin1Char('"'));
        }
    }
    if (ridotta)
        *ridotta = lasciate;
    return parti.join(QLatin1Char(' '));
}

QString contestoDa(const QString &evidenziato, int quante)
{
    // The words, with where each begins and ends and whether it is found.
    struct Parola {
        qsizetype da;
        qsizetype a;
        bool trovata;
    };
    QVector<Parola> parole;
    bool dentro = false;
    qsizetype inizio = -1;
    bool inizioDentro = false;
    const auto chiudi = [&](qsizetype fine) {
        if (inizio >= 0)
            parole.append({inizio, fine, inizioDentro});
        inizio = -1;
    };
    for (qsizetype k = 0; k < evidenziato.size(); ++k) {
        const QChar c = evidenziato.at(k);
        if (c == kInizioTrovata || c == kFineTrovata) {
            chiudi(k);
            dentro = c == kInizioTrovata;
        } else if (!isParola(c)) {
            chiudi(k);
        } else if (inizio < 0) {
            inizio = k;
            inizioDentro = dentro;
        }
    }
    chiudi(evidenziato.size());
    if (parole.isEmpty() || quante < 1)
        return {};

    // The window of words with the most different words found, then the
    // most found, the first of equals: each word enters and leaves it once.
    const int larghezza = qMin(quante, int(parole.size()));
    QHash<QString, int> nellaFinestra;
    int diverse = 0;
    int trovate = 0;
    int migliore = 0;
    qint64 puntiMigliori = -1;
    const auto chiave = [&](const Parola &p) {
        return evidenziato.mid(p.da, p.a - p.da).normalized(QString::NormalizationForm_C).toCaseFolded();
    };
    for (int k = 0; k < parole.size(); ++k) {
        if (parole.at(k).trovata) {
            ++trovate;
            if (nellaFinestra[chiave(parole.at(k))]++ == 0)
                ++diverse;
        }
        if (k >= larghezza && parole.at(k - larghezza).trovata) {
            --trovate;
            if (--nellaFinestra[chiave(parole.at(k - larghezza))] == 0)
                --diverse;
        }
        const qint64 punti = qint64(diverse) * (larghezza + 1) + trovate;
        if (k >= larghezza - 1 && punti > puntiMigliori) {
            puntiMigliori = punti;
            migliore = k - larghezza + 1;
        }
    }

    // The matches in the middle of the window, as far as the text allows.
    int primaTrovata = -1;
    int ultimaTrovata = -1;
    for (int k = migliore; k < migliore + larghezza; ++k) {
        if (parole.at(k).trovata) {
            if (primaTrovata < 0)
                primaTrovata = k;
            ultimaTrovata = k;
        }
    }
    if (primaTrovata >= 0) {
        const int margine = larghezza - (ultimaTrovata - primaTrovata + 1);
        migliore = qBound(0, primaTrovata - margine / 2, int(parole.size()) - larghezza);
    }
    const int ultima = migliore + larghezza - 1;
    QString contesto;
    if (migliore > 0)
        contesto += QChar(0x2026);
    bool aperta = parole.at(migliore).trovata;
    if (aperta)
        contesto += QChar(0xab);
    for (qsizetype k = parole.at(migliore).da; k < parole.at(ultima).a; ++k) {
        const QChar c = evidenziato.at(k);
        if (c == kInizioTrovata || c == kFineTrovata) {
            if (aperta != (c == kInizioTrovata))
                contesto += QChar(aperta ? 0xbb : 0xab);
            aperta = c == kInizioTrovata;
        } else {
            contesto += c;
        }
    }
    if (aperta)
        contesto += QChar(0xbb);
    if (ultima < parole.size() - 1)
        contesto += QChar(0x2026);
    return contesto;
}

QString firmaScansione(const QString &percorso)
{
    const QFileInfo info(percorso);
    if (!info.exists())
        return {};
    return QStringLiteral("%1:%2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
}

QString IndiceTesti::percorsoIn(const QString &cartellaProgramma)
{
    return cartellaProgramma + QStringLiteral("Testi_Pagine.db");
}

IndiceTesti::IndiceTesti(const QString &percorso, bool ricreaDanneggiato)
    : m_percorso(percorso)
    , m_ricreaDanneggiato(ricreaDanneggiato)
    , m_connessione(nuovaConnessione())
{
    if (!apri()) {
        if (m_apertura == Apertura::Ricreato && !m_ricreaDanneggiato) {
            m_apertura = Apertura::Impossibile;
        } else if (m_apertura == Apertura::Ricreato && ricrea()) {
            m_messaggioApertura = kMessaggioIndiceRicreato;
            return;
        }
        m_usabile = false;
    }
}

IndiceTesti::~IndiceTesti()
{
    chiudi();
}

void IndiceTesti::chiudi()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connessione);
}

bool IndiceTesti::apri()
{
    // SQLite follows a link: a dangling one would have it create the link's
    // target, one to another program's database would get our tables.
    for (const char *resto : {"", "-journal"}) {
        if (QFileInfo(m_percorso + QLatin1String(resto)).isSymLink()) {
            m_apertura = Apertura::Collegamento;
            m_messaggioApertura = kMessaggioIndiceCollegamento;
            return false;
        }
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connessione);
    db.setDatabaseName(m_percorso);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kAttesaBlocco));
    if (!db.open()) {
        m_apertura = Apertura::Impossibile;
        m_messaggioApertura = kMessaggioIndiceNonScritto;
        return false;
    }
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        m_apertura = danno(q.lastError()) ? Apertura::Ricreato : Apertura::Impossibile;
        m_messaggioApertura = kMessaggioIndiceNonScritto;
        return false;
    }
    const int versione = q.value(0).toInt();
    q.finish();
    if (versione > kVersione) {
        db.close();
        m_apertura = Apertura::PiuRecente;
        m_messaggioApertura = kMessaggioIndicePiuRecente;
        return false;
    }
    if (versione < kVersione && !creaSchema(versione)) {
        m_apertura = Apertura::Impossibile;
        m_messaggioApertura = kMessaggioIndiceNonScritto;
        return false;
    }
    // A file whose header survived but whose tables did not.
    if (!q.exec(QStringLiteral("SELECT count(*) FROM pagine")) || !q.next()) {
        m_apertura = danno(q.lastError()) ? Apertura::Ricreato : Apertura::Impossibile;
        m_messaggioApertura = kMessaggioIndiceNonScritto;
        return false;
    }
    m_apertura = Apertura::Aperto;
    m_usabile = true;
    return true;
}

bool IndiceTesti::creaSchema(int versionePrecedente)
{
    QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
    if (!esegui(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    // Another program may have made it while this one waited for the lock.
    {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
            db.rollback();
            return false;
        }
        versionePrecedente = q.value(0).toInt();
    }
    if (versionePrecedente >= kVersione) {
        if (versionePrecedente == kVersione)
            return db.commit();
        db.rollback();
        return false;
    }
    // The first layout kept pages by a number of their own, which made a
    // search join every match before it could order them. Its texts are
    // read again from the scans.
    const bool vecchio = versionePrecedente < 1 ||
                         (esegui(QStringLiteral("DROP TABLE IF EXISTS testi")) &&
                          esegui(QStringLiteral("DROP TABLE IF EXISTS pagine")));
    const bool fatto =
        vecchio &&
        esegui(QStringLiteral("CREATE TABLE archivi (id INTEGER PRIMARY KEY, nome TEXT NOT NULL UNIQUE)")) &&
        // A page's number is its archive's number and its position side by
        // side (see chiave()): an archive's pages lie in one range, in the
        // order of their positions.
        esegui(QStringLiteral("CREATE TABLE pagine (id INTEGER PRIMARY KEY, firma TEXT NOT NULL)")) &&
        // The text only in the full-text table, whose row is the page's number.
        esegui(QStringLiteral("CREATE VIRTUAL TABLE testi USING fts5(testo, "
                              "tokenize = 'unicode61 remove_diacritics 2')")) &&
        esegui(QStringLiteral("PRAGMA user_version = %1").arg(kVersione));
    if (!fatto) {
        db.rollback();
        return false;
    }
    return db.commit();
}

bool IndiceTesti::ricrea()
{
    chiudi();
    const QString messo = m_percorso + QStringLiteral(".danneggiato");
    QFile::remove(messo);
    if (!QFile::rename(m_percorso, messo) && !QFile::remove(m_percorso))
        return false;
    for (const char *resto : {"-journal", "-wal", "-shm"})
        QFile::remove(m_percorso + QLatin1String(resto));
    m_connessione = nuovaConnessione();
    if (!apri())
        return false;
    m_apertura = Apertura::Ricreato;
    return true;
}

bool IndiceTesti::rimediaDanno(const QSqlError &errore)
{
    if (!danno(errore) || !m_ricreaDanneggiato)
        return false;
    // Damage met while in use: the file is put aside and made anew as at
    // the opening; its texts come back from the scans.
    m_usabile = ricrea();
    m_avviso = m_usabile ? kMessaggioIndiceRicreato : kMessaggioIndiceNonScritto;
    m_ultimoErrore = m_avviso;
    return m_usabile;
}

QString IndiceTesti::prendiAvviso()
{
    QString a;
    a.swap(m_avviso);
    return a;
}

bool IndiceTesti::esegui(const QString &sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connessione, false));
    if (q.exec(sql))
        return true;
    registraErrore(q.lastError());
    return false;
}

void IndiceTesti::registraErrore(const QSqlError &errore)
{
    switch (codice(errore)) {
    case kPieno:
        m_ultimoErrore = kMessaggioIndiceDiscoPieno;
        break;
    case kOccupato:
    case kBloccato:
        m_ultimoErrore = kMessaggioIndiceOccupato;
        break;
    default:
        m_ultimoErrore = kMessaggioIndiceNonScritto;
    }
}

void IndiceTesti::limitaAttesa(int millisecondi)
{
    esegui(QStringLiteral("PRAGMA busy_timeout = %1").arg(millisecondi));
}

qint64 IndiceTesti::chiave(qint64 numeroArchivio, int posizione)
{
    return (numeroArchivio << 32) | quint32(posizione);
}

int IndiceTesti::posizioneDi(qint64 chiave)
{
    return int(chiave & 0xffffffff);
}

qint64 IndiceTesti::numeroArchivio(const QString &archivio, bool crea, QSqlError *errore)
{
    QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT id FROM archivi WHERE nome = ?"));
    q.addBindValue(archivio);
    if (q.exec() && q.next())
        return q.value(0).toLongLong();
    if (q.lastError().isValid()) {
        if (errore)
            *errore = q.lastError();
        return 0;
    }
    if (!crea)
        return 0;
    QSqlQuery n(db);
    n.prepare(QStringLiteral("INSERT INTO archivi (nome) VALUES (?)"));
    n.addBindValue(archivio);
    if (!n.exec()) {
        if (errore)
            *errore = n.lastError();
        return 0;
    }
    return n.lastInsertId().toLongLong();
}

bool IndiceTesti::scriviPagina(const QString &archivio, int posizione, const QString &testo, const QString &firma)
{
    return scriviPagine(archivio, {Pagina{posizione, testo, firma}});
}

bool IndiceTesti::scriviPagine(const QString &archivio, const QVector<Pagina> &pagine)
{
    return scrivi([&](QSqlError *errore) { return scriviTesti(archivio, pagine, errore); });
}

bool IndiceTesti::togliPagine(const QString &archivio, const QVector<int> &posizioni)
{
    if (posizioni.isEmpty())
        return true;
    return scrivi([&](QSqlError *errore) {
        const qint64 numero = numeroArchivio(archivio, false, errore);
        if (numero == 0)
            return !errore->isValid();
        QVector<qint64> chiavi;
        for (int p : posizioni)
            chiavi.append(chiave(numero, p));
        return perOgniChiave(QStringLiteral("DELETE FROM testi WHERE rowid = ?"), chiavi, errore)
            && perOgniChiave(QStringLiteral("DELETE FROM pagine WHERE id = ?"), chiavi, errore);
    });
}

bool IndiceTesti::togliArchivio(const QString &archivio)
{
    return scrivi([&](QSqlError *errore) {
        const qint64 numero = numeroArchivio(archivio, false, errore);
        if (numero == 0)
            return !errore->isValid();
        // Its pages lie in one range of numbers.
        QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
        const QVariantList pagine{chiave(numero, 0), chiave(numero, -1)};
        const std::pair<const char *, QVariantList> passi[] = {
            {"DELETE FROM testi WHERE rowid BETWEEN ? AND ?", pagine},
            {"DELETE FROM pagine WHERE id BETWEEN ? AND ?", pagine},
            {"DELETE FROM archivi WHERE id = ?", {numero}}};
        for (const auto &[sql, valori] : passi) {
            QSqlQuery q(db);
            q.prepare(QLatin1String(sql));
            for (const QVariant &v : valori)
                q.addBindValue(v);
            if (!q.exec()) {
                *errore = q.lastError();
                return false;
            }
        }
        return true;
    });
}

bool IndiceTesti::scrivi(const std::function<bool(QSqlError *)> &lavoro)
{
    if (!m_usabile) {
        m_ultimoErrore = m_messaggioApertura.isEmpty() ? kMessaggioIndiceNonScritto : m_messaggioApertura;
        return false;
    }
    QSqlError errore;
    if (transazione(lavoro, &errore))
        return true;
    // A file found damaged is made anew and the work goes into it.
    return rimediaDanno(errore) && transazione(lavoro, &errore);
}

bool IndiceTesti::transazione(const std::function<bool(QSqlError *)> &lavoro, QSqlError *errore)
{
    QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
    const auto fallita = [&](const QSqlError &e) {
        *errore = e;
        registraErrore(e);
        db.rollback();
        return false;
    };
    *errore = QSqlError();
    // The write lock from the start: a transaction that has read cannot
    // wait for it (SQLite answers "busy" at once, lest two such wait on
    // each other), while one that begins by taking it waits kAttesaBlocco.
    QSqlQuery inizio(db);
    if (!inizio.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        *errore = inizio.lastError();
        registraErrore(*errore);
        return false;
    }
    if (!lavoro(errore))
        return fallita(*errore);
    if (!db.commit())
        return fallita(db.lastError());
    return true;
}

bool IndiceTesti::perOgniChiave(const QString &sql, const QVector<qint64> &chiavi, QSqlError *errore)
{
    QSqlQuery q(QSqlDatabase::database(m_connessione, false));
    q.prepare(sql);
    for (qint64 n : chiavi) {
        q.addBindValue(n);
        if (!q.exec()) {
            *errore = q.lastError();
            return false;
        }
    }
    return true;
}

bool IndiceTesti::scriviTesti(const QString &archivio, const QVector<Pagina> &pagine, QSqlError *errore)
{
    const qint64 numero = numeroArchivio(archivio, true, errore);
    if (numero == 0)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
    QSqlQuery riga(db);
    QSqlQuery via(db);
    QSqlQuery testo(db);
    riga.prepare(QStringLiteral("INSERT OR REPLACE INTO pagine (id, firma) VALUES (?, ?)"));
    via.prepare(QStringLiteral("DELETE FROM testi WHERE rowid = ?"));
    testo.prepare(QStringLiteral("INSERT INTO testi (rowid, testo) VALUES (?, ?)"));
    for (const Pagina &p : pagine) {
        const qint64 n = chiave(numero, p.posizione);
        riga.addBindValue(n);
        // A missing mark is an empty one, never SQL's null.
        riga.addBindValue(p.firma.isNull() ? QStringLiteral("") : p.firma);
        via.addBindValue(n);
        testo.addBindValue(n);
        // SQLite's text functions (the marked matches) end a text at a NUL.
        testo.addBindValue(QString(p.testo).remove(QChar(0)));
        for (QSqlQuery *q : {&riga, &via, &testo}) {
            if (!q->exec()) {
                *errore = q->lastError();
                return false;
            }
        }
    }
    return true;
}

template <class Leggi>
bool IndiceTesti::leggiPagine(const QString &archivio, int da, int a, const QString &sql, const QVariantList &valori,
                              const Leggi &leggi)
{
    if (!m_usabile || da > a)
        return false;
    QSqlError errore;
    const qint64 numero = numeroArchivio(archivio, false, &errore);
    if (numero != 0) {
        QSqlQuery q(QSqlDatabase::database(m_connessione, false));
        q.setForwardOnly(true);
        q.prepare(sql);
        q.addBindValue(chiave(numero, da));
        q.addBindValue(chiave(numero, a));
        for (const QVariant &v : valori)
            q.addBindValue(v);
        if (q.exec()) {
            while (q.next())
                leggi(q);
        }
        errore = q.lastError();
    }
    if (!errore.isValid())
        return numero != 0;
    registraErrore(errore);
    rimediaDanno(errore);
    return false;
}

QHash<int, QString> IndiceTesti::firme(const QString &archivio)
{
    QHash<int, QString> f;
    leggiPagine(archivio, 1, kUltimaPosizione, QStringLiteral("SELECT id, firma FROM pagine WHERE id BETWEEN ? AND ?"),
                {}, [&f](const QSqlQuery &q) { f.insert(posizioneDi(q.value(0).toLongLong()), q.value(1).toString()); });
    return f;
}

QString IndiceTesti::testo(const QString &archivio, int posizione)
{
    QString t;
    leggiPagine(archivio, posizione, posizione, QStringLiteral("SELECT testo FROM testi WHERE rowid BETWEEN ? AND ?"),
                {}, [&t](const QSqlQuery &q) { t = q.value(0).toString(); });
    return t;
}

QVector<IndiceTesti::Trovata> IndiceTesti::cerca(const QString &archivio, const QString &parole, int limite,
                                                 int ultimaPosizione)
{
    QVector<Trovata> trovate;
    const QString richiesta = richiestaTestuale(parole);
    if (richiesta.isEmpty())
        return trovate;
    // The pages come in the order of their numbers, which is the order of
    // their positions: the context is made only for the pages returned, from
    // the text with its matches marked (SQLite's own excerpt weighs every
    // match against every other, which a long page of matches makes slow).
    leggiPagine(
        archivio, 1, ultimaPosizione,
        QStringLiteral("SELECT rowid, highlight(testi, 0, char(1), char(2)) FROM testi "
                       "WHERE rowid BETWEEN ? AND ? AND testi MATCH ? ORDER BY rowid LIMIT ?"),
        {richiesta, limite}, [&trovate](const QSqlQuery &q) {
            trovate.append({posizioneDi(q.value(0).toLongLong()), contestoDa(q.value(1).toString()).simplified()});
        });
    return trovate;
}

int IndiceTesti::conta(const QString &archivio, const QString &parole, int ultimaPosizione)
{
    int n = 0;
    const QString richiesta = richiestaTestuale(parole);
    if (richiesta.isEmpty())
        return n;
    leggiPagine(archivio, 1, ultimaPosizione,
                QStringLiteral("SELECT count(*) FROM testi WHERE rowid BETWEEN ? AND ? AND testi MATCH ?"), {richiesta},
                [&n](const QSqlQuery &q) { n = q.value(0).toInt(); });
    return n;
}
