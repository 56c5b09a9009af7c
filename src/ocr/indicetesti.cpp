#include "ocr/indicetesti.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

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
    if (versione > kVersione) {
        db.close();
        m_apertura = Apertura::PiuRecente;
        m_messaggioApertura = kMessaggioIndicePiuRecente;
        return false;
    }
    if (versione == 0 && !creaSchema()) {
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

bool IndiceTesti::creaSchema()
{
    QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
    if (!db.transaction())
        return false;
    const bool fatto =
        esegui(QStringLiteral("CREATE TABLE pagine (id INTEGER PRIMARY KEY, archivio TEXT NOT NULL, "
                              "posizione INTEGER NOT NULL, firma TEXT NOT NULL, UNIQUE (archivio, posizione))")) &&
        // The text only in the full-text table, whose row is the page's id.
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
    {
        QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connessione);
    const QString messo = m_percorso + QStringLiteral(".danneggiato");
    QFile::remove(messo);
    if (!QFile::rename(m_percorso, messo) && !QFile::remove(m_percorso))
        return false;
    m_connessione = nuovaConnessione();
    if (!apri())
        return false;
    m_apertura = Apertura::Ricreato;
    return true;
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

void IndiceTesti::limitaDimensione(int pagineDatabase)
{
    esegui(QStringLiteral("PRAGMA max_page_count = %1").arg(pagineDatabase));
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
    QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
    if (!db.transaction()) {
        registraErrore(db.lastError());
        return false;
    }
    QSqlQuery riga(db);
    QSqlQuery id(db);
    QSqlQuery via(db);
    QSqlQuery testo(db);
    riga.prepare(QStringLiteral("INSERT INTO pagine (archivio, posizione, firma) VALUES (?, ?, ?) "
                                "ON CONFLICT (archivio, posizione) DO UPDATE SET firma = excluded.firma"));
    id.prepare(QStringLiteral("SELECT id FROM pagine WHERE archivio = ? AND posizione = ?"));
    via.prepare(QStringLiteral("DELETE FROM testi WHERE rowid = ?"));
    testo.prepare(QStringLiteral("INSERT INTO testi (rowid, testo) VALUES (?, ?)"));
    bool fatto = true;
    for (const Pagina &p : pagine) {
        riga.addBindValue(archivio);
        riga.addBindValue(p.posizione);
        riga.addBindValue(p.firma);
        id.addBindValue(archivio);
        id.addBindValue(p.posizione);
        fatto = riga.exec() && id.exec() && id.next();
        if (!fatto)
            break;
        const qlonglong n = id.value(0).toLongLong();
        id.finish();
        via.addBindValue(n);
        testo.addBindValue(n);
        testo.addBindValue(p.testo);
        fatto = via.exec() && testo.exec();
        if (!fatto)
            break;
    }
    if (fatto && db.commit())
        return true;
    for (const QSqlQuery *q : {&riga, &id, &via, &testo})
        if (q->lastError().isValid())
            registraErrore(q->lastError());
    if (db.lastError().isValid())
        registraErrore(db.lastError());
    db.rollback();
    return false;
}

bool IndiceTesti::rimuoviPagina(const QString &archivio, int posizione)
{
    if (!m_usabile)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
    if (!db.transaction())
        return false;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM testi WHERE rowid IN "
                             "(SELECT id FROM pagine WHERE archivio = ? AND posizione = ?)"));
    q.addBindValue(archivio);
    q.addBindValue(posizione);
    QSqlQuery r(db);
    r.prepare(QStringLiteral("DELETE FROM pagine WHERE archivio = ? AND posizione = ?"));
    r.addBindValue(archivio);
    r.addBindValue(posizione);
    if (q.exec() && r.exec() && db.commit())
        return true;
    registraErrore(q.lastError().isValid() ? q.lastError() : r.lastError());
    db.rollback();
    return false;
}

QHash<int, QString> IndiceTesti::firme(const QString &archivio)
{
    QHash<int, QString> f;
    if (!m_usabile)
        return f;
    QSqlQuery q(QSqlDatabase::database(m_connessione, false));
    q.prepare(QStringLiteral("SELECT posizione, firma FROM pagine WHERE archivio = ?"));
    q.addBindValue(archivio);
    if (q.exec())
        while (q.next())
            f.insert(q.value(0).toInt(), q.value(1).toString());
    return f;
}

QString IndiceTesti::testo(const QString &archivio, int posizione)
{
    if (!m_usabile)
        return {};
    QSqlQuery q(QSqlDatabase::database(m_connessione, false));
    q.prepare(QStringLiteral("SELECT t.testo FROM pagine p JOIN testi t ON t.rowid = p.id "
                             "WHERE p.archivio = ? AND p.posizione = ?"));
    q.addBindValue(archivio);
    q.addBindValue(posizione);
    return q.exec() && q.next() ? q.value(0).toString() : QString();
}

int IndiceTesti::contaPagine(const QString &archivio)
{
    if (!m_usabile)
        return 0;
    QSqlQuery q(QSqlDatabase::database(m_connessione, false));
    q.prepare(QStringLiteral("SELECT count(*) FROM pagine WHERE archivio = ?"));
    q.addBindValue(archivio);
    return q.exec() && q.next() ? q.value(0).toInt() : 0;
}

QVector<IndiceTesti::Trovata> IndiceTesti::cerca(const QString &archivio, const QString &parole, int limite)
{
    QVector<Trovata> trovate;
    const QString richiesta = richiestaTestuale(parole);
    if (!m_usabile || richiesta.isEmpty())
        return trovate;
    QSqlQuery q(QSqlDatabase::database(m_connessione, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT p.posizione, snippet(testi, 0, '«', '»', '…', 12) FROM testi "
                             "JOIN pagine p ON p.id = testi.rowid "
                             "WHERE testi MATCH ? AND p.archivio = ? ORDER BY p.posizione LIMIT ?"));
    q.addBindValue(richiesta);
    q.addBindValue(archivio);
    q.addBindValue(limite);
    if (!q.exec()) {
        registraErrore(q.lastError());
        return trovate;
    }
    while (q.next()) {
        Trovata t;
        t.posizione = q.value(0).toInt();
        t.contesto = q.value(1).toString().simplified();
        trovate.append(t);
    }
    return trovate;
}
