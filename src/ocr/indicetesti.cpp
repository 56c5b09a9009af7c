#include "ocr/indicetesti.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
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

namespace {

// SQLite's result codes that matter here.
constexpr int kPieno = 13;     // SQLITE_FULL
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

QString richiestaTestuale(const QString &parole)
{
    QStringList parti;
    const QStringList pezzi = parole.split(QLatin1Char('"'));
    for (int k = 0; k < pezzi.size(); ++k) {
        const QStringList p = paroleTra(pezzi.at(k));
        if (p.isEmpty())
            continue;
        if (k % 2 == 1) {
            // Inside quotes (an unclosed quote runs to the end): one phrase.
            parti.append(QLatin1Char('"') + p.join(QLatin1Char(' ')) + QLatin1Char('"'));
        } else {
            for (const QString &w : p)
                parti.append(QLatin1Char('"') + w + QLatin1Char('"'));
        }
    }
    return parti.join(QLatin1Char(' '));
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

IndiceTesti::IndiceTesti(const QString &percorso)
    : m_percorso(percorso)
    , m_connessione(nuovaConnessione())
{
    if (!apri()) {
        if (m_apertura == Apertura::Ricreato && ricrea()) {
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
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connessione);
    db.setDatabaseName(m_percorso);
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
    if (!db.transaction())
        return false;
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
    if (!danno(errore))
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
    m_ultimoErrore = codice(errore) == kPieno ? kMessaggioIndiceDiscoPieno : kMessaggioIndiceNonScritto;
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
    if (!m_usabile) {
        m_ultimoErrore = m_messaggioApertura.isEmpty() ? kMessaggioIndiceNonScritto : m_messaggioApertura;
        return false;
    }
    QSqlError errore;
    if (scriviTransazione(archivio, pagine, &errore))
        return true;
    // A file found damaged is made anew and these pages go into it.
    return rimediaDanno(errore) && scriviTransazione(archivio, pagine, &errore);
}

bool IndiceTesti::scriviTransazione(const QString &archivio, const QVector<Pagina> &pagine, QSqlError *errore)
{
    QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
    const auto fallita = [&](const QSqlError &e) {
        *errore = e;
        registraErrore(e);
        db.rollback();
        return false;
    };
    if (!db.transaction())
        return fallita(db.lastError());
    const qint64 numero = numeroArchivio(archivio, true, errore);
    if (numero == 0)
        return fallita(*errore);
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
        testo.addBindValue(p.testo);
        for (QSqlQuery *q : {&riga, &via, &testo})
            if (!q->exec())
                return fallita(q->lastError());
    }
    if (!db.commit())
        return fallita(db.lastError());
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
    // their positions: the context is made only for the pages returned.
    leggiPagine(archivio, 1, ultimaPosizione,
                QStringLiteral("SELECT rowid, snippet(testi, 0, '«', '»', '…', 12) FROM testi "
                               "WHERE rowid BETWEEN ? AND ? AND testi MATCH ? ORDER BY rowid LIMIT ?"),
                {richiesta, limite}, [&trovate](const QSqlQuery &q) {
                    trovate.append({posizioneDi(q.value(0).toLongLong()), q.value(1).toString().simplified()});
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
