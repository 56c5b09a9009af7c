#include "document/documentoarchivio.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/permessi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

Q_DECLARE_METATYPE(Navigazione)

namespace {

// A position in a table row: 0 for a new record on screen.
std::optional<int> posizioneDa(int p)
{
    return p > 0 ? std::optional<int>(p) : std::nullopt;
}

QByteArray byteScheda(const TSchedaPagina &s)
{
    return QByteArray(reinterpret_cast<const char *>(&s), int(kDimensioneScheda));
}

ValoriScheda valoriCon(const QString &titolo)
{
    ValoriScheda v;
    v.testi[size_t(Campo::Titolo)] = titolo;
    v.testi[size_t(Campo::Codice)] = QStringLiteral("K");
    v.testi[size_t(Campo::Autore)] = QStringLiteral("Rossi");
    v.testi[size_t(Campo::PagNum)] = QStringLiteral("1");
    return v;
}

} // namespace

// The document without any window: what it holds, what its commands do to
// the file and to the screen, and what it announces.
class TestDocumentoArchivio : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void navigazione_data();
    void navigazione();
    void navigazioneArchivioMancante();
    void letturaSuArchivioDiSolaLettura_data();
    void letturaSuArchivioDiSolaLettura();
    void posizioneOltreLaFine();
    void flagNeSiNeNoTieneLaCasella();

    void salvataggio_data();
    void salvataggio();
    void cambiataAltrove();
    void salvataggioRifiutato_data();
    void salvataggioRifiutato();

    void duplica();
    void duplicaSuNuova();
    void pulisci();
    void modifiche();
    void apri();

private:
    QString archivio() const { return m_dir->filePath(QStringLiteral("Prova.kpx")); }
    QByteArray byte() const { return leggiFile(archivio()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DocumentoArchivio> m_doc;
};

void TestDocumentoArchivio::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_doc = std::make_unique<DocumentoArchivio>(m_dir->path() + QLatin1Char('/'));
    m_doc->apri(archivio(), QStringLiteral("Prova"));
}

void TestDocumentoArchivio::cleanup()
{
    m_doc.reset();
    m_dir.reset();
}

void TestDocumentoArchivio::navigazione_data()
{
    QTest::addColumn<int>("schede"); // records in the file
    QTest::addColumn<int>("partenza"); // position on screen, 0 for a new record
    QTest::addColumn<Navigazione>("verso");
    QTest::addColumn<int>("esito"); // DocumentoArchivio::Esito
    QTest::addColumn<int>("arrivo"); // position on screen after, 0 for none

    using E = DocumentoArchivio::Esito;
    const int mostrata = int(E::Mostrata), nessuno = int(E::Nessuno), vuoto = int(E::ArchivioVuoto);
    QTest::newRow("vuoto, primo") << 0 << 0 << Navigazione::Primo << vuoto << 0;
    QTest::newRow("vuoto, ultimo") << 0 << 0 << Navigazione::Ultimo << vuoto << 0;
    QTest::newRow("vuoto, avanti") << 0 << 0 << Navigazione::Avanti << vuoto << 0;
    QTest::newRow("vuoto, indietro") << 0 << 0 << Navigazione::Indietro << vuoto << 0;
    // Next on an archive emptied meanwhile also forgets the position; the
    // other arrows leave the screen alone.
    QTest::newRow("svuotato, avanti") << 0 << 2 << Navigazione::Avanti << vuoto << 0;
    QTest::newRow("svuotato, ultimo") << 0 << 2 << Navigazione::Ultimo << vuoto << 2;
    QTest::newRow("svuotato, indietro da 1") << 0 << 1 << Navigazione::Indietro << nessuno << 1;
    QTest::newRow("nuova, avanti") << 3 << 0 << Navigazione::Avanti << mostrata << 1;
    QTest::newRow("nuova, indietro") << 5 << 0 << Navigazione::Indietro << mostrata << 1;
    QTest::newRow("nuova, ultimo") << 5 << 0 << Navigazione::Ultimo << mostrata << 5;
    QTest::newRow("da 2, avanti") << 3 << 2 << Navigazione::Avanti << mostrata << 3;
    QTest::newRow("da 3, avanti, ultima") << 3 << 3 << Navigazione::Avanti << nessuno << 3;
    QTest::newRow("da 3, ultimo") << 3 << 3 << Navigazione::Ultimo << mostrata << 3;
    QTest::newRow("da 3, indietro") << 3 << 3 << Navigazione::Indietro << mostrata << 2;
    QTest::newRow("da 1, indietro") << 3 << 1 << Navigazione::Indietro << nessuno << 1;
    QTest::newRow("da 1, primo") << 3 << 1 << Navigazione::Primo << mostrata << 1;
    QTest::newRow("oltre la fine, avanti") << 3 << 5 << Navigazione::Avanti << nessuno << 5;
}

// Each arrow from each place, on the file as it is: what the document says
// happened, where the screen ends, which record it shows, and that a record
// shown is announced once and nothing is announced otherwise.
void TestDocumentoArchivio::navigazione()
{
    QFETCH(int, schede);
    QFETCH(int, partenza);
    QFETCH(Navigazione, verso);
    QFETCH(int, esito);
    QFETCH(int, arrivo);

    const QVector<TSchedaPagina> tutte = schedeNumerate(5);
    if (partenza > 0)
        m_doc->mostraScheda(tutte.at(partenza - 1), partenza);
    QVERIFY(scriviArchivio(archivio(), tutte.mid(0, schede)));
    const QByteArray prima = byte();
    QSignalSpy mostrate(m_doc.get(), &DocumentoArchivio::schedaMostrata);
    QSignalSpy posizioni(m_doc.get(), &DocumentoArchivio::posizioneCambiata);

    QCOMPARE(int(m_doc->naviga(verso)), esito);
    QCOMPARE(m_doc->posizione(), posizioneDa(arrivo));
    QCOMPARE(mostrate.count(), esito == int(DocumentoArchivio::Esito::Mostrata) ? 1 : 0);
    QCOMPARE(posizioni.count(), arrivo == partenza ? 0 : 1);
    // Next on an emptied archive forgets the position but keeps the fields.
    const int sulloSchermo = arrivo > 0 ? arrivo : partenza;
    QCOMPARE(m_doc->valoriSchermo().testi[size_t(Campo::Titolo)],
             sulloSchermo > 0 ? QStringLiteral("Pagina %1").arg(sulloSchermo) : QString());
    QVERIFY(!m_doc->modificata());
    QCOMPARE(byte(), prima);
}

// A missing archive is created empty by the first arrow, as ever.
void TestDocumentoArchivio::navigazioneArchivioMancante()
{
    QVERIFY(!QFileInfo::exists(archivio()));
    QCOMPARE(m_doc->naviga(Navigazione::Primo), DocumentoArchivio::Esito::ArchivioVuoto);
    QVERIFY(QFileInfo::exists(archivio()));
    QCOMPARE(QFileInfo(archivio()).size(), 0);
}

void TestDocumentoArchivio::letturaSuArchivioDiSolaLettura_data()
{
    QTest::addColumn<bool>("perPosizione"); // a list's line, or an arrow
    QTest::newRow("freccia") << false;
    QTest::newRow("riga di un elenco") << true;
}

// An archive the user may only read still shows its records, by the arrows
// and by a line opened from a list; a write is refused, and the file stays
// as it was.
void TestDocumentoArchivio::letturaSuArchivioDiSolaLettura()
{
    QFETCH(bool, perPosizione);
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(4)));
    const QByteArray prima = byte();
    const QByteArray nome = QFile::encodeName(archivio());
    const auto ripristina = qScopeGuard([&] { ::chmod(nome.constData(), 0644); });
    QCOMPARE(::chmod(nome.constData(), 0444), 0);
    PermessiDaUtente utente;
    QVERIFY(utente.attivi());

    const DocumentoArchivio::Esito esito =
        perPosizione ? m_doc->mostraPosizione(3) : m_doc->naviga(Navigazione::Ultimo);
    QCOMPARE(esito, DocumentoArchivio::Esito::Mostrata);
    const int attesa = perPosizione ? 3 : 4;
    QCOMPARE(m_doc->posizione(), std::optional<int>(attesa));
    QCOMPARE(m_doc->valoriSchermo().testi[size_t(Campo::Titolo)], QStringLiteral("Pagina %1").arg(attesa));
    // What the commands on the pages read goes the same way.
    QCOMPARE(m_doc->contaSchede(), 4);
    QCOMPARE(leggiCampo(m_doc->leggiScheda(2), Campo::Titolo), QStringLiteral("Pagina 2"));
    QVector<int> visitate;
    m_doc->schede()([&visitate](int posizione, const TSchedaPagina &) { visitate.append(posizione); });
    QCOMPARE(visitate, (QVector<int>{1, 2, 3, 4}));

    ValoriScheda v = m_doc->valoriSchermo();
    v.testi[size_t(Campo::Note)] = QStringLiteral("nota");
    m_doc->impostaValoriSchermo(v);
    QCOMPARE(m_doc->salva(), DocumentoArchivio::Esito::ErroreAccesso);
    QVERIFY(m_doc->modificata());
    QCOMPARE(m_doc->posizione(), std::optional<int>(attesa));
    QCOMPARE(byte(), prima);
}

// A position the file no longer reaches is an access failure that leaves
// the screen, and announces nothing.
void TestDocumentoArchivio::posizioneOltreLaFine()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(3)));
    QCOMPARE(m_doc->mostraPosizione(2), DocumentoArchivio::Esito::Mostrata);
    QSignalSpy mostrate(m_doc.get(), &DocumentoArchivio::schedaMostrata);
    QSignalSpy posizioni(m_doc.get(), &DocumentoArchivio::posizioneCambiata);
    QCOMPARE(m_doc->mostraPosizione(4), DocumentoArchivio::Esito::ErroreAccesso);
    QCOMPARE(m_doc->posizione(), std::optional<int>(2));
    QCOMPARE(m_doc->valoriSchermo().testi[size_t(Campo::Titolo)], QStringLiteral("Pagina 2"));
    QCOMPARE(mostrate.count(), 0);
    QCOMPARE(posizioni.count(), 0);
}

// A record whose flag is neither "Sì" nor "No" leaves the check box as the
// screen had it.
void TestDocumentoArchivio::flagNeSiNeNoTieneLaCasella()
{
    TSchedaPagina spuntata = schedeNumerate(1).first();
    impostaFlag(spuntata, true);
    TSchedaPagina senza = schedeNumerate(2).at(1);
    std::fill(std::begin(senza.DaCompletare), std::end(senza.DaCompletare), uint8_t(0));
    QVERIFY(scriviArchivio(archivio(), {spuntata, senza}));

    QCOMPARE(m_doc->naviga(Navigazione::Primo), DocumentoArchivio::Esito::Mostrata);
    QVERIFY(m_doc->valoriSchermo().daCompletare);
    QCOMPARE(m_doc->naviga(Navigazione::Avanti), DocumentoArchivio::Esito::Mostrata);
    QVERIFY(m_doc->valoriSchermo().daCompletare);
    QVERIFY(!m_doc->modificata());
}

void TestDocumentoArchivio::salvataggio_data()
{
    QTest::addColumn<int>("schede");
    QTest::addColumn<int>("mostrata"); // 0: a new record
    QTest::addColumn<int>("esito");
    QTest::addColumn<int>("posizione");

    QTest::newRow("nuova su archivio vuoto") << 0 << 0 << int(DocumentoArchivio::Esito::Aggiunta) << 1;
    QTest::newRow("nuova su 7 schede") << 7 << 0 << int(DocumentoArchivio::Esito::Aggiunta) << 8;
    QTest::newRow("la terza di 5") << 5 << 3 << int(DocumentoArchivio::Esito::Sovrascritta) << 3;
    QTest::newRow("l'ultima di 5") << 5 << 5 << int(DocumentoArchivio::Esito::Sovrascritta) << 5;
}

// A save appends a new record or overwrites the stored one on screen and
// nothing else of the file; the screen then stands for that record, so a
// second save overwrites instead of appending again.
void TestDocumentoArchivio::salvataggio()
{
    QFETCH(int, schede);
    QFETCH(int, mostrata);
    QFETCH(int, esito);
    QFETCH(int, posizione);

    QVERIFY(scriviArchivio(archivio(), schedeNumerate(schede)));
    if (mostrata > 0)
        QCOMPARE(m_doc->mostraPosizione(mostrata), DocumentoArchivio::Esito::Mostrata);
    const QByteArray prima = byte();
    ValoriScheda v = m_doc->valoriSchermo();
    v.testi[size_t(Campo::Titolo)] = QStringLiteral("  Nuovo titolo ");
    v.testi[size_t(Campo::Autore)] = QStringLiteral("Verdi");
    v.daCompletare = true;
    v.allegati.nomi[1] = QStringLiteral("b.pdf");
    m_doc->impostaValoriSchermo(v);
    QVERIFY(m_doc->modificata());

    QSignalSpy salvate(m_doc.get(), &DocumentoArchivio::schedaSalvata);
    QSignalSpy modifiche(m_doc.get(), &DocumentoArchivio::modificataCambiata);
    QCOMPARE(int(m_doc->salva()), esito);
    QCOMPARE(m_doc->posizione(), std::optional<int>(posizione));
    QCOMPARE(salvate.count(), 1);
    QCOMPARE(salvate.first().at(0).toInt(), posizione);
    QCOMPARE(salvate.first().at(1).toBool(), mostrata == 0);
    QCOMPARE(modifiche.count(), 1);
    QCOMPARE(modifiche.first().at(0).toBool(), false);
    QVERIFY(!m_doc->modificata());
    // The screen keeps what was typed; the record holds it trimmed.
    QCOMPARE(m_doc->valoriSchermo().testi[size_t(Campo::Titolo)], QStringLiteral("  Nuovo titolo "));

    const QByteArray dopo = byte();
    const qint64 inizio = (posizione - 1) * kDimensioneScheda;
    QCOMPARE(qint64(dopo.size()), qMax(qint64(schede), qint64(posizione)) * kDimensioneScheda);
    QCOMPARE(dopo.left(int(inizio)), prima.left(int(inizio)));
    QCOMPARE(dopo.mid(int(inizio + kDimensioneScheda)), prima.mid(int(inizio + kDimensioneScheda)));
    QCOMPARE(dopo.mid(int(inizio), int(kDimensioneScheda)), byteScheda(componiScheda(v)));
    QCOMPARE(m_doc->schedaArchiviata().has_value(), true);
    QCOMPARE(byteScheda(*m_doc->schedaArchiviata()), byteScheda(componiScheda(v)));

    // Again: the same record, the file no longer.
    v.testi[size_t(Campo::Note)] = QStringLiteral("seconda volta");
    m_doc->impostaValoriSchermo(v);
    QCOMPARE(m_doc->salva(), DocumentoArchivio::Esito::Sovrascritta);
    QCOMPARE(m_doc->posizione(), std::optional<int>(posizione));
    QCOMPARE(byte().size(), dopo.size());
    QCOMPARE(byte().mid(int(inizio), int(kDimensioneScheda)), byteScheda(componiScheda(v)));
}

// Another writer changed the bytes of the record on screen since it was
// shown: the save writes nothing and says so; overwriting then takes what
// that writer left as the record expected, and a third change by the other
// writer is caught again.
void TestDocumentoArchivio::cambiataAltrove()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(3)));
    QCOMPARE(m_doc->mostraPosizione(2), DocumentoArchivio::Esito::Mostrata);
    ValoriScheda v = m_doc->valoriSchermo();
    v.testi[size_t(Campo::Note)] = QStringLiteral("mia");
    m_doc->impostaValoriSchermo(v);

    const auto scriviAltrove = [this](const QString &nota) {
        TSchedaPagina altra = schedeNumerate(2).at(1);
        impostaCampo(altra, Campo::Note, nota);
        TArchivioPagine a;
        a.ApriArchivio(archivio());
        a.ScriviScheda(2, altra);
        a.ChiudiArchivio();
    };
    scriviAltrove(QStringLiteral("altrui"));
    const QByteArray altrui = byte();

    QSignalSpy salvate(m_doc.get(), &DocumentoArchivio::schedaSalvata);
    QCOMPARE(m_doc->salva(), DocumentoArchivio::Esito::CambiataAltrove);
    QCOMPARE(byte(), altrui);
    QVERIFY(m_doc->modificata());
    QCOMPARE(salvate.count(), 0);
    // Declining and saving again asks again: nothing was taken as read.
    QCOMPARE(m_doc->salva(), DocumentoArchivio::Esito::CambiataAltrove);

    scriviAltrove(QStringLiteral("altrui, di nuovo"));
    const QByteArray ancora = byte();
    QCOMPARE(m_doc->sovrascriviCambiata(), DocumentoArchivio::Esito::CambiataAltrove);
    QCOMPARE(byte(), ancora);

    QCOMPARE(m_doc->sovrascriviCambiata(), DocumentoArchivio::Esito::Sovrascritta);
    QCOMPARE(salvate.count(), 1);
    QCOMPARE(byte().mid(int(kDimensioneScheda), int(kDimensioneScheda)), byteScheda(componiScheda(v)));
    QVERIFY(!m_doc->modificata());
    // What it wrote is now what it expects.
    v.testi[size_t(Campo::Note)] = QStringLiteral("mia, ancora");
    m_doc->impostaValoriSchermo(v);
    QCOMPARE(m_doc->salva(), DocumentoArchivio::Esito::Sovrascritta);
}

void TestDocumentoArchivio::salvataggioRifiutato_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<int>("mostrata");
    QTest::newRow("una cartella al posto del file, nuova") << QStringLiteral("cartella") << 0;
    QTest::newRow("sola lettura, nuova") << QStringLiteral("0444") << 0;
    QTest::newRow("sola lettura, la seconda") << QStringLiteral("0444") << 2;
}

// A save the system refuses writes nothing, keeps the screen a new record
// (or the one it was) and announces nothing.
void TestDocumentoArchivio::salvataggioRifiutato()
{
    QFETCH(QString, caso);
    QFETCH(int, mostrata);
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(3)));
    if (mostrata > 0)
        QCOMPARE(m_doc->mostraPosizione(mostrata), DocumentoArchivio::Esito::Mostrata);
    m_doc->impostaValoriSchermo(valoriCon(QStringLiteral("Rifiutata")));

    const QByteArray nome = QFile::encodeName(archivio());
    const auto ripristina = qScopeGuard([&] { ::chmod(nome.constData(), 0644); });
    std::unique_ptr<PermessiDaUtente> utente;
    if (caso == QLatin1String("cartella")) {
        QVERIFY(QFile::remove(archivio()));
        QVERIFY(QDir().mkpath(archivio()));
    } else {
        QCOMPARE(::chmod(nome.constData(), 0444), 0);
        utente = std::make_unique<PermessiDaUtente>();
        QVERIFY(utente->attivi());
    }
    const QByteArray prima = QFileInfo(archivio()).isFile() ? byte() : QByteArray();

    QSignalSpy salvate(m_doc.get(), &DocumentoArchivio::schedaSalvata);
    QSignalSpy posizioni(m_doc.get(), &DocumentoArchivio::posizioneCambiata);
    QCOMPARE(m_doc->salva(), DocumentoArchivio::Esito::ErroreAccesso);
    QCOMPARE(m_doc->posizione(), posizioneDa(mostrata));
    QVERIFY(m_doc->modificata());
    QCOMPARE(salvate.count(), 0);
    QCOMPARE(posizioni.count(), 0);
    if (QFileInfo(archivio()).isFile())
        QCOMPARE(byte(), prima);
}

// A stored record duplicated: a new record with its texts and flag (the
// edits typed before included), no attachments, measured from the record it
// was made of; saved, it goes to the end and the original stays.
void TestDocumentoArchivio::duplica()
{
    TSchedaPagina terza = schedeNumerate(3).at(2);
    impostaFlag(terza, true);
    impostaCampo(terza, Campo::File01, QStringLiteral("a.pdf"));
    impostaCampo(terza, Campo::Desc01, QStringLiteral("prima"));
    QVector<TSchedaPagina> schede = schedeNumerate(3);
    schede[2] = terza;
    QVERIFY(scriviArchivio(archivio(), schede));
    QCOMPARE(m_doc->mostraPosizione(3), DocumentoArchivio::Esito::Mostrata);
    ValoriScheda v = m_doc->valoriSchermo();
    v.testi[size_t(Campo::Note)] = QStringLiteral("scritta prima");
    m_doc->impostaValoriSchermo(v);
    const QByteArray prima = byte();

    QSignalSpy duplicate(m_doc.get(), &DocumentoArchivio::schedaDuplicata);
    QSignalSpy posizioni(m_doc.get(), &DocumentoArchivio::posizioneCambiata);
    QVERIFY(m_doc->duplica());
    QCOMPARE(duplicate.count(), 1);
    QCOMPARE(posizioni.count(), 1);
    QVERIFY(m_doc->nuova());
    QVERIFY(!m_doc->schedaArchiviata().has_value());
    const ValoriScheda copia = m_doc->valoriSchermo();
    QCOMPARE(copia.testi, v.testi);
    QVERIFY(copia.daCompletare);
    QCOMPARE(copia.allegati, ValoriAllegati{});
    QVERIFY(m_doc->modificata());
    QCOMPARE(byte(), prima);

    QCOMPARE(m_doc->salva(), DocumentoArchivio::Esito::Aggiunta);
    QCOMPARE(m_doc->posizione(), std::optional<int>(4));
    QCOMPARE(byte().left(prima.size()), prima);
    QCOMPARE(byte().mid(prima.size()), byteScheda(componiScheda(copia)));
}

// Duplicating a new record does nothing at all.
void TestDocumentoArchivio::duplicaSuNuova()
{
    ValoriScheda v = valoriCon(QStringLiteral("Bozza"));
    v.allegati.nomi[0] = QStringLiteral("a.pdf");
    m_doc->impostaValoriSchermo(v);
    QSignalSpy duplicate(m_doc.get(), &DocumentoArchivio::schedaDuplicata);
    QVERIFY(!m_doc->duplica());
    QCOMPARE(duplicate.count(), 0);
    QVERIFY(m_doc->valoriSchermo() == v);
    QVERIFY(m_doc->nuova());
}

// Clearing makes the screen a new empty record, stored record forgotten;
// the archive stays the current one.
void TestDocumentoArchivio::pulisci()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(2)));
    QCOMPARE(m_doc->mostraPosizione(2), DocumentoArchivio::Esito::Mostrata);
    m_doc->impostaValoriSchermo(valoriCon(QStringLiteral("cambiato")));
    QSignalSpy pulite(m_doc.get(), &DocumentoArchivio::schedaPulita);
    QSignalSpy posizioni(m_doc.get(), &DocumentoArchivio::posizioneCambiata);
    QSignalSpy modifiche(m_doc.get(), &DocumentoArchivio::modificataCambiata);
    QSignalSpy archivi(m_doc.get(), &DocumentoArchivio::archivioCambiato);
    m_doc->pulisci();
    QCOMPARE(pulite.count(), 1);
    QCOMPARE(posizioni.count(), 1);
    QCOMPARE(modifiche.count(), 1);
    QCOMPARE(archivi.count(), 0);
    QVERIFY(m_doc->nuova());
    QVERIFY(m_doc->valoriSchermo() == ValoriScheda{});
    QVERIFY(!m_doc->modificata());
    QVERIFY(!m_doc->schedaArchiviata().has_value());
    QCOMPARE(m_doc->percorso(), archivio());
    // Saved now, it is a new record at the end.
    m_doc->impostaValoriSchermo(valoriCon(QStringLiteral("terza")));
    QCOMPARE(m_doc->salva(), DocumentoArchivio::Esito::Aggiunta);
    QCOMPARE(m_doc->posizione(), std::optional<int>(3));
}

// The screen differs from what was put on it, and the change is announced
// only when it turns: typing, typing back, attachments, and a show.
void TestDocumentoArchivio::modifiche()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(2)));
    QCOMPARE(m_doc->mostraPosizione(1), DocumentoArchivio::Esito::Mostrata);
    QSignalSpy modifiche(m_doc.get(), &DocumentoArchivio::modificataCambiata);
    const ValoriScheda mostrati = m_doc->valoriSchermo();
    QVERIFY(mostrati == m_doc->valoriArchiviati());

    ValoriScheda v = mostrati;
    v.testi[size_t(Campo::Lingua)] = QStringLiteral("l");
    m_doc->impostaValoriSchermo(v);
    v.testi[size_t(Campo::Lingua)] = QStringLiteral("la");
    m_doc->impostaValoriSchermo(v);
    QVERIFY(m_doc->modificata());
    QCOMPARE(modifiche.count(), 1);
    QCOMPARE(modifiche.at(0).at(0).toBool(), true);

    m_doc->impostaValoriSchermo(mostrati);
    QVERIFY(!m_doc->modificata());
    QCOMPARE(modifiche.count(), 2);
    QCOMPARE(modifiche.at(1).at(0).toBool(), false);

    ValoriAllegati allegati;
    allegati.nomi[2] = QStringLiteral("  c.txt ");
    m_doc->impostaAllegati(allegati);
    QVERIFY(m_doc->modificata());
    QCOMPARE(m_doc->valoriSchermo().allegati.nomi[2], QStringLiteral("c.txt"));
    QCOMPARE(modifiche.count(), 3);

    QCOMPARE(m_doc->naviga(Navigazione::Avanti), DocumentoArchivio::Esito::Mostrata);
    QVERIFY(!m_doc->modificata());
    QCOMPARE(modifiche.count(), 4);
}

// Opening an archive keeps its path and name trimmed, the scan path follows
// the name and the position, and the screen starts on a new record.
void TestDocumentoArchivio::apri()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(2)));
    QCOMPARE(m_doc->mostraPosizione(2), DocumentoArchivio::Esito::Mostrata);
    QCOMPARE(m_doc->percorsoFoto(), m_dir->filePath(QStringLiteral("Pagine_Documenti/Prova_Foto_2.jpg")));

    QSignalSpy archivi(m_doc.get(), &DocumentoArchivio::archivioCambiato);
    QSignalSpy pulite(m_doc.get(), &DocumentoArchivio::schedaPulita);
    m_doc->apri(QStringLiteral(" ") + m_dir->filePath(QStringLiteral("Altro.kpx")) + QStringLiteral("  "),
                QStringLiteral(" Altro "));
    QCOMPARE(archivi.count(), 1);
    QCOMPARE(pulite.count(), 1);
    QCOMPARE(m_doc->percorso(), m_dir->filePath(QStringLiteral("Altro.kpx")));
    QCOMPARE(m_doc->nome(), QStringLiteral("Altro"));
    QVERIFY(m_doc->nuova());
    QCOMPARE(m_doc->percorsoFoto(), m_dir->filePath(QStringLiteral("Pagine_Documenti/Altro_Foto_.jpg")));
    // Opening reads nothing and writes nothing.
    QVERIFY(!QFileInfo::exists(m_doc->percorso()));
}

QTEST_GUILESS_MAIN(TestDocumentoArchivio)
#include "tst_documentoarchivio.moc"
