#include "editor/frmdocumenti.h"
#include "document/navigazione.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/immagini_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/permessi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>

#include <memory>

#include <sys/stat.h>

Q_DECLARE_METATYPE(Navigazione)
Q_DECLARE_METATYPE(PassoNavigazione)

namespace {

const char *comandoDi(Navigazione verso)
{
    switch (verso) {
    case Navigazione::Primo:
        return "cmdPrimo";
    case Navigazione::Indietro:
        return "cmdIndietro";
    case Navigazione::Avanti:
        return "cmdAvanti";
    case Navigazione::Ultimo:
        return "cmdUltimo";
    }
    return "";
}

PassoNavigazione mostra(int k)
{
    return {PassoNavigazione::Mostra, k, false};
}

const PassoNavigazione kNessuno{PassoNavigazione::Nessuno, 0, false};
const PassoNavigazione kVuoto{PassoNavigazione::ArchivioVuoto, 0, false};

} // namespace

class TestNavigazione : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void passo_data();
    void passo();
    void archivioVuoto_data();
    void archivioVuoto();
    void confini_data();
    void confini();
    void nuovaSchedaConTestoDigitato();
    void flagNeSiNeNo();
    void mostraSchedaScriveIlRecord();
    void scansioneDellaPosizione();
    void archivioInaccessibile_data();
    void archivioInaccessibile();
    void posizioneOltreLaFine();
    void archivioDiSolaLettura_data();
    void archivioDiSolaLettura();

private:
    void portaA(int posizione);
    QString archivio() const { return m_programma->archivio(); }
    QString scansione(int k) const { return m_programma->scansione(k); }

    std::unique_ptr<EditoreDiProva> m_programma;
    TfrmDocumenti *m_editor = nullptr;
};

void TestNavigazione::initTestCase()
{
    m_programma = std::make_unique<EditoreDiProva>();
}

void TestNavigazione::cleanupTestCase()
{
    m_programma.reset();
}

void TestNavigazione::init()
{
    m_editor = m_programma->riapri();
}

// Shows the stored record at a position, as the lists do.
void TestNavigazione::portaA(int posizione)
{
    TArchivioPagine a;
    a.ApriArchivio(archivio());
    m_editor->MostraScheda(a.LeggiScheda(posizione), posizione);
}

void TestNavigazione::passo_data()
{
    QTest::addColumn<Navigazione>("verso");
    QTest::addColumn<QString>("posizione");
    QTest::addColumn<int>("conteggio");
    QTest::addColumn<PassoNavigazione>("atteso");

    const Navigazione P = Navigazione::Primo, I = Navigazione::Indietro, A = Navigazione::Avanti,
                      U = Navigazione::Ultimo;
    QTest::newRow("primo, vuoto") << P << "" << 0 << kVuoto;
    QTest::newRow("primo") << P << "4" << 5 << mostra(1);
    QTest::newRow("ultimo, vuoto") << U << "2" << 0 << kVuoto;
    QTest::newRow("ultimo da nuova") << U << "" << 5 << mostra(5);
    QTest::newRow("ultimo sull'ultimo") << U << "3" << 3 << mostra(3);
    QTest::newRow("avanti, vuoto, svuota la posizione")
        << A << "" << 0 << PassoNavigazione{PassoNavigazione::ArchivioVuoto, 0, true};
    QTest::newRow("avanti da nuova") << A << "" << 5 << mostra(1);
    QTest::newRow("avanti") << A << "2" << 3 << mostra(3);
    QTest::newRow("avanti sull'ultimo") << A << "3" << 3 << kNessuno;
    QTest::newRow("avanti oltre la fine") << A << "9" << 3 << kNessuno;
    QTest::newRow("indietro sul primo") << I << "1" << 3 << kNessuno;
    QTest::newRow("indietro sul primo, vuoto: prima del conteggio") << I << "1" << 0 << kNessuno;
    QTest::newRow("indietro, vuoto") << I << "" << 0 << kVuoto;
    QTest::newRow("indietro da nuova") << I << "" << 5 << mostra(1);
    QTest::newRow("indietro") << I << "4" << 5 << mostra(3);
    QTest::newRow("indietro oltre la fine") << I << "9" << 3 << mostra(8);
}

void TestNavigazione::passo()
{
    QFETCH(Navigazione, verso);
    QFETCH(QString, posizione);
    QFETCH(int, conteggio);
    QFETCH(PassoNavigazione, atteso);
    const PassoNavigazione p = passoNavigazione(verso, posizione, conteggio);
    QCOMPARE(int(p.tipo), int(atteso.tipo));
    QCOMPARE(p.posizione, atteso.posizione);
    QCOMPARE(p.svuotaPosizione, atteso.svuotaPosizione);
}

void TestNavigazione::archivioVuoto_data()
{
    QTest::addColumn<Navigazione>("verso");
    QTest::addColumn<bool>("fileMancante");
    QTest::newRow("primo") << Navigazione::Primo << false;
    QTest::newRow("indietro") << Navigazione::Indietro << false;
    QTest::newRow("avanti") << Navigazione::Avanti << false;
    QTest::newRow("ultimo") << Navigazione::Ultimo << false;
    QTest::newRow("primo, file mancante") << Navigazione::Primo << true;
    QTest::newRow("avanti, file mancante") << Navigazione::Avanti << true;
}

void TestNavigazione::archivioVuoto()
{
    QFETCH(Navigazione, verso);
    QFETCH(bool, fileMancante);
    if (!fileMancante)
        QVERIFY(scriviFile(archivio(), QByteArray()));
    RegistroMessaggi messaggi;
    clicca(controlloEditore(comandoDi(verso)));

    QCOMPARE(messaggi.testi(), QStringList{kMessaggioArchivioVuoto});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Informazione);
    QCOMPARE(posizioneMostrata(m_editor), QString());
    QCOMPARE(campoEditore("txtTitolo")->text(), QString());
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    QVERIFY(QFileInfo(archivio()).isFile());
    QCOMPARE(QFileInfo(archivio()).size(), 0);
}

void TestNavigazione::confini_data()
{
    QTest::addColumn<int>("schede");
    QTest::addColumn<int>("da");  // 0: a new record on screen
    QTest::addColumn<Navigazione>("verso");
    QTest::addColumn<int>("a");   // position shown afterwards

    QTest::newRow("avanti da nuova") << 5 << 0 << Navigazione::Avanti << 1;
    QTest::newRow("indietro da nuova: la prima, non l'ultima") << 5 << 0 << Navigazione::Indietro << 1;
    QTest::newRow("ultimo da nuova") << 5 << 0 << Navigazione::Ultimo << 5;
    QTest::newRow("primo da nuova") << 5 << 0 << Navigazione::Primo << 1;
    QTest::newRow("avanti da 2") << 3 << 2 << Navigazione::Avanti << 3;
    QTest::newRow("indietro da 3") << 3 << 3 << Navigazione::Indietro << 2;
    QTest::newRow("avanti sull'ultima: nulla") << 3 << 3 << Navigazione::Avanti << 3;
    QTest::newRow("ultimo sull'ultima: ricarica") << 3 << 3 << Navigazione::Ultimo << 3;
    QTest::newRow("indietro sulla prima: nulla") << 3 << 1 << Navigazione::Indietro << 1;
    QTest::newRow("primo sulla prima: ricarica") << 3 << 1 << Navigazione::Primo << 1;
    QTest::newRow("primo dall'ultima") << 3 << 3 << Navigazione::Primo << 1;
    QTest::newRow("archivio di una scheda, avanti") << 1 << 1 << Navigazione::Avanti << 1;
}

// Every arrow shows the record it reaches with its texts and scan, or leaves
// the screen alone; none of them says anything on a non-empty archive.
void TestNavigazione::confini()
{
    QFETCH(int, schede);
    QFETCH(int, da);
    QFETCH(Navigazione, verso);
    QFETCH(int, a);
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(schede)));
    if (da > 0)
        portaA(da);
    // A mark on screen tells a reload from a silent stop.
    campoEditore("txtNote")->setText(QStringLiteral("segno"));
    const QImage segno = tinta(QSize(5, 5), Qt::green);
    m_editor->impostaFoto(segno);

    RegistroMessaggi messaggi;
    clicca(controlloEditore(comandoDi(verso)));
    QVERIFY(messaggi.testi().isEmpty());
    QCOMPARE(posizioneMostrata(m_editor), QString::number(a));
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("Pagina %1").arg(a));

    const bool fermo = da == a && (verso == Navigazione::Avanti || verso == Navigazione::Indietro);
    QCOMPARE(campoEditore("txtNote")->text(), fermo ? QStringLiteral("segno") : QString());
    QCOMPARE(m_editor->foto(), fermo ? segno : m_editor->fotoSegnaposto());
}

void TestNavigazione::nuovaSchedaConTestoDigitato()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(5)));
    QTest::keyClicks(campoEditore("txtTitolo"), QStringLiteral("non salvato"));
    QTest::keyClicks(campoEditore("txtGiudizio"), QStringLiteral("buono"));
    clicca(controlloEditore("cmdIndietro"));
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("1"));
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("Pagina 1"));
    QCOMPARE(campoEditore("txtGiudizio")->text(), QString());
}

// A flag of neither value leaves the check box as the previous record set it.
void TestNavigazione::flagNeSiNeNo()
{
    QVector<TSchedaPagina> schede = schedeNumerate(4);
    impostaFlag(schede[0], true);
    std::memset(schede[1].DaCompletare, 0, sizeof schede[1].DaCompletare);
    impostaCampo(schede[2], Campo::DaCompletare, QStringLiteral("Forse"));
    QVERIFY(scriviArchivio(archivio(), schede));
    auto *chk = casellaDaCompletare(m_editor);

    clicca(controlloEditore("cmdPrimo"));
    QVERIFY(chk->isChecked());
    clicca(controlloEditore("cmdAvanti"));
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("2"));
    QVERIFY(chk->isChecked());
    clicca(controlloEditore("cmdAvanti"));
    QVERIFY(chk->isChecked());
    clicca(controlloEditore("cmdAvanti"));
    QVERIFY(!chk->isChecked());
    // And from an unchecked box, neither value leaves it unchecked.
    clicca(controlloEditore("cmdIndietro"));
    QVERIFY(!chk->isChecked());
}

// What the lists rely on: MostraScheda writes every field, trimmed, the six
// hidden labels and the position, and leaves focus and status line alone.
void TestNavigazione::mostraSchedaScriveIlRecord()
{
    TSchedaPagina s = schedaVuota();
    for (int k = 0; k < kNumeroCampi; ++k) {
        if (Campo(k) != Campo::DaCompletare)
            impostaCampo(s, Campo(k), QStringLiteral("  v%1 ").arg(k));
    }
    impostaFlag(s, true);
    campoEditore("txtStato")->setFocus();
    barraStato(m_editor)->setText(QStringLiteral("suggerimento"));

    m_editor->MostraScheda(s, 12);
    for (int k = 0; k < kCampiDescrittivi; ++k)
        QCOMPARE(m_editor->campo(Campo(k))->text(), QStringLiteral("v%1").arg(k));
    QVERIFY(casellaDaCompletare(m_editor)->isChecked());
    const ValoriAllegati allegati = m_editor->allegati();
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(allegati.nomi[size_t(k)], QStringLiteral("v%1").arg(int(Campo::File01) + k));
        QCOMPARE(allegati.descrizioni[size_t(k)], QStringLiteral("v%1").arg(int(Campo::Desc01) + k));
    }
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("12"));
    QVERIFY(campoEditore("txtStato")->hasFocus());
    QCOMPARE(barraStato(m_editor)->text(), QStringLiteral("suggerimento"));
}

void TestNavigazione::scansioneDellaPosizione()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(4)));
    QVERIFY(scriviFile(scansione(3), codifica(tinta(QSize(600, 800), Qt::red), "JPG")));
    // Another archive's scan of the same position is not this one's.
    QVERIFY(scriviFile(m_programma->percorso(QStringLiteral("Pagine_Documenti/Altro_Foto_4.jpg")),
                       codifica(tinta(QSize(60, 80), Qt::blue), "JPG")));
    portaA(2);
    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdAvanti"));
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("3"));
    QCOMPARE(m_editor->foto().size(), QSize(600, 800));
    QVERIFY(coloreVicino(coloreAlCentro(m_editor->foto()), Qt::red));

    clicca(controlloEditore("cmdAvanti"));
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("4"));
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    QVERIFY(messaggi.testi().isEmpty());

    // The folder is made when a scan is looked for, even if none is found.
    QVERIFY(QDir(m_programma->percorso(QStringLiteral("Pagine_Documenti"))).removeRecursively());
    clicca(controlloEditore("cmdPrimo"));
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    QVERIFY(QFileInfo(m_programma->percorso(QStringLiteral("Pagine_Documenti"))).isDir());
}

void TestNavigazione::archivioInaccessibile_data()
{
    QTest::addColumn<Navigazione>("verso");
    QTest::newRow("primo") << Navigazione::Primo;
    QTest::newRow("indietro") << Navigazione::Indietro;
    QTest::newRow("avanti") << Navigazione::Avanti;
    QTest::newRow("ultimo") << Navigazione::Ultimo;
}

// A folder where the archive file should be: nothing can open it.
void TestNavigazione::archivioInaccessibile()
{
    QFETCH(Navigazione, verso);
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(3)));
    portaA(2);
    campoEditore("txtTitolo")->setText(QStringLiteral("modificato"));
    QVERIFY(QFile::remove(archivio()));
    QVERIFY(QDir().mkpath(archivio()));

    RegistroMessaggi messaggi;
    clicca(controlloEditore(comandoDi(verso)));
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioAccessoArchivio});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Errore);
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("2"));
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("modificato"));
    QVERIFY(QDir().rmdir(archivio()));
}

// The file was shortened outside the program while record 5 was on screen.
void TestNavigazione::posizioneOltreLaFine()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(5)));
    portaA(5);
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(3)));

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdAvanti"));
    QVERIFY(messaggi.testi().isEmpty());
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("5"));

    // Previous reads record 4, which is gone.
    clicca(controlloEditore("cmdIndietro"));
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioAccessoArchivio});
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("5"));

    // From 4, it reads record 3, which is there.
    messaggi.svuota();
    m_editor->MostraScheda(schedeNumerate(4).at(3), 4);
    clicca(controlloEditore("cmdIndietro"));
    QVERIFY(messaggi.testi().isEmpty());
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("3"));
}

void TestNavigazione::archivioDiSolaLettura_data()
{
    QTest::addColumn<Navigazione>("verso");
    QTest::addColumn<QString>("attesa");
    QTest::newRow("primo") << Navigazione::Primo << "1";
    QTest::newRow("indietro") << Navigazione::Indietro << "1";
    QTest::newRow("avanti") << Navigazione::Avanti << "3";
    QTest::newRow("ultimo") << Navigazione::Ultimo << "3";
}

// An archive the user may read but not write: every arrow shows its record,
// with no message, and the file is left as it was.
void TestNavigazione::archivioDiSolaLettura()
{
    QFETCH(Navigazione, verso);
    QFETCH(QString, attesa);
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(3)));
    portaA(2);
    const QByteArray prima = leggiFile(archivio());
    const QByteArray nome = QFile::encodeName(archivio());
    const auto ripristina = qScopeGuard([&] { ::chmod(nome.constData(), 0644); });
    QCOMPARE(::chmod(nome.constData(), 0444), 0);
    PermessiDaUtente utente;
    QVERIFY(utente.attivi());

    RegistroMessaggi messaggi;
    clicca(controlloEditore(comandoDi(verso)));
    QVERIFY(messaggi.testi().isEmpty());
    QCOMPARE(posizioneMostrata(m_editor), attesa);
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("Pagina ") + attesa);
    QCOMPARE(leggiFile(archivio()), prima);
}

QTEST_MAIN(TestNavigazione)
#include "tst_navigazione.moc"
