#include "document/salvataggio.h"
#include "editor/frmdocumenti.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/immagini_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>

#include <memory>

class TestSalvataggio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void obbligatori_data();
    void obbligatori();
    void nuovaInCoda();
    void secondoSalvataggioSovrascrive();
    void sovrascritturaToccaSoloIlRecord();
    void schedaCambiataAltrove_data();
    void schedaCambiataAltrove();
    void ritornoIdentico();
    void bitmapSalvataComeJpeg();
    void ogniSalvataggioRiscriveLaFoto();
    void archivioInaccessibile();
    void fotoNonScrivibile();
    void nuovo();
    void duplicaPoiSalva();
    void duplicaSuNuova();

private:
    QString archivio() const { return m_programma->archivio(); }
    QString scansione(int k) const { return m_programma->scansione(k); }
    void compila(const QString &titolo, const QString &codice, const QString &autore, const QString &pagina);
    void vaiA(int posizione);
    TSchedaPagina leggi(int posizione);

    std::unique_ptr<EditoreDiProva> m_programma;
    TfrmDocumenti *m_editor = nullptr;
};

void TestSalvataggio::initTestCase()
{
    m_programma = std::make_unique<EditoreDiProva>();
}

void TestSalvataggio::cleanupTestCase()
{
    m_programma.reset();
}

void TestSalvataggio::init()
{
    m_editor = m_programma->riapri();
}

void TestSalvataggio::compila(const QString &titolo, const QString &codice, const QString &autore,
                              const QString &pagina)
{
    campoEditore("txtTitolo")->setText(titolo);
    campoEditore("txtCodice")->setText(codice);
    campoEditore("txtAutore")->setText(autore);
    campoEditore("txtPagNum")->setText(pagina);
}

void TestSalvataggio::vaiA(int posizione)
{
    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdPrimo"));
    for (int k = 1; k < posizione; ++k)
        clicca(controlloEditore("cmdAvanti"));
    QCOMPARE(posizioneMostrata(m_editor), QString::number(posizione));
}

TSchedaPagina TestSalvataggio::leggi(int posizione)
{
    TArchivioPagine a;
    a.ApriArchivio(archivio());
    return a.LeggiScheda(posizione);
}

void TestSalvataggio::obbligatori_data()
{
    QTest::addColumn<QStringList>("valori");  // title, code, author, page number
    QTest::addColumn<int>("mancante");        // index of the warning and field, -1 for none

    QTest::newRow("tutti vuoti: solo il titolo") << QStringList{"", "", "", ""} << 0;
    QTest::newRow("titolo di soli spazi") << QStringList{"   ", "C", "A", "1"} << 0;
    QTest::newRow("codice") << QStringList{"T", "", "", ""} << 1;
    QTest::newRow("autore con tab e spazi") << QStringList{"T", "C", " \t ", "1"} << 2;
    QTest::newRow("numero di pagina") << QStringList{"T", "C", "A", "  "} << 3;
    QTest::newRow("pagina n. di testo qualsiasi") << QStringList{"T", "C", "A", "IV bis"} << -1;
}

void TestSalvataggio::obbligatori()
{
    QFETCH(QStringList, valori);
    QFETCH(int, mancante);
    QVERIFY(scriviFile(archivio(), QByteArray()));
    compila(valori.at(0), valori.at(1), valori.at(2), valori.at(3));
    campoEditore("txtNote")->setFocus();

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    if (mancante < 0) {
        QCOMPARE(messaggi.testi(), QStringList{kSchedaInserita});
        QCOMPARE(QFileInfo(archivio()).size(), kDimensioneScheda);
        return;
    }
    const CampoObbligatorio &atteso = campiObbligatori()[size_t(mancante)];
    QCOMPARE(messaggi.testi(), QStringList{atteso.avviso});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Avviso);
    QVERIFY(m_editor->campo(atteso.campo)->hasFocus());
    QCOMPARE(QFileInfo(archivio()).size(), 0);
    QCOMPARE(posizioneMostrata(m_editor), QString());
    QVERIFY(!QFileInfo::exists(scansione(1)));
    // The warnings change nothing but the focus.
    QCOMPARE(campoEditore("txtTitolo")->text(), valori.at(0));
}

void TestSalvataggio::nuovaInCoda()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(7)));
    const QByteArray prima = leggiFile(archivio());
    compila(QStringLiteral("Ottava"), QStringLiteral("C-8"), QStringLiteral("Bianchi"), QStringLiteral("8"));

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi(), QStringList{kSchedaInserita});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Informazione);
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("8"));
    const QByteArray dopo = leggiFile(archivio());
    QCOMPARE(dopo.size(), prima.size() + 3990);
    QCOMPARE(dopo.left(prima.size()), prima);
    QCOMPARE(leggiCampo(leggi(8), Campo::Titolo), QStringLiteral("Ottava"));
    // No scan was loaded: the scan file holds the placeholder.
    QCOMPARE(formatoDelFile(scansione(8)), QByteArray("jpeg"));
    const QImage scritta(scansione(8));
    QCOMPARE(scritta.size(), m_editor->fotoSegnaposto().size());
    QVERIFY(coloreVicino(coloreAlCentro(scritta), coloreAlCentro(m_editor->fotoSegnaposto())));
    // After the save nothing is left in a text field half-edited.
    QVERIFY(!qobject_cast<QLineEdit *>(QApplication::focusWidget()));
}

void TestSalvataggio::secondoSalvataggioSovrascrive()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(2)));
    compila(QStringLiteral("Nuova"), QStringLiteral("N"), QStringLiteral("Neri"), QStringLiteral("3"));
    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    campoEditore("txtAutore")->setText(QStringLiteral("Neri Giovanni"));
    clicca(controlloEditore("cmdSalva"));

    QCOMPARE(messaggi.testi(), (QStringList{kSchedaInserita, kSchedaModificata}));
    QCOMPARE(QFileInfo(archivio()).size(), 3 * kDimensioneScheda);
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("3"));
    QCOMPARE(leggiCampo(leggi(3), Campo::Autore), QStringLiteral("Neri Giovanni"));
}

void TestSalvataggio::schedaCambiataAltrove_data()
{
    QTest::addColumn<int>("altre");          // saves of record 2 by another program: 1 after it was shown,
                                             // 2 also while the first question is open
    QTest::addColumn<QList<int>>("risposte"); // to the questions, in order
    QTest::addColumn<QString>("autore");     // of record 2 afterwards

    QTest::newRow("nessun altro") << 0 << QList<int>{} << QStringLiteral("Mio");
    QTest::newRow("sovrascrivere") << 1 << QList<int>{mrSi} << QStringLiteral("Mio");
    QTest::newRow("non sovrascrivere") << 1 << QList<int>{mrNo} << QStringLiteral("Altro 1");
    QTest::newRow("cambiata ancora durante la domanda") << 2 << QList<int>{mrSi, mrSi} << QStringLiteral("Mio");
    QTest::newRow("cambiata ancora, poi no") << 2 << QList<int>{mrSi, mrNo} << QStringLiteral("Altro 2");
}

// Two editors (two programs) on one record: a save still overwrites the
// record, but one that another program changed since the screen showed it
// is overwritten only after a question, asked again if it changes once
// more while the question is open. "No" writes nothing, scan included.
void TestSalvataggio::schedaCambiataAltrove()
{
    QFETCH(int, altre);
    QFETCH(QList<int>, risposte);
    QFETCH(QString, autore);

    QVERIFY(scriviArchivio(archivio(), schedeNumerate(3)));
    vaiA(2);
    const auto altroProgramma = [this](int volta) {
        TSchedaPagina s = leggi(2);
        impostaCampo(s, Campo::Autore, QStringLiteral("Altro %1").arg(volta));
        TArchivioPagine a;
        a.ApriArchivio(archivio());
        a.ScriviScheda(2, s);
        a.ChiudiArchivio();
    };
    if (altre > 0)
        altroProgramma(1);
    campoEditore("txtAutore")->setText(QStringLiteral("Mio"));
    const QByteArray altreSchede = leggiFile(archivio()).left(3990) + leggiFile(archivio()).mid(7980);

    QList<RichiestaMessaggio> chiesti;
    contestoDiProva().impostaRispostaMessaggi([&](const RichiestaMessaggio &r) {
        chiesti.append(r);
        if (r.tipo != TipoMessaggio::Conferma)
            return int(mrOk);
        if (chiesti.size() == 1 && altre > 1)
            altroProgramma(2);
        return risposte.value(chiesti.size() - 1, mrNo);
    });
    const auto ripristina = qScopeGuard([] { contestoDiProva().impostaRispostaMessaggi(nullptr); });
    clicca(controlloEditore("cmdSalva"));

    const bool salvata = autore == QLatin1String("Mio");
    QStringList attesi;
    for (int k = 0; k < risposte.size(); ++k)
        attesi << kSchedaCambiataAltrove;
    if (salvata)
        attesi << kSchedaModificata;
    QStringList testi;
    for (const RichiestaMessaggio &r : chiesti)
        testi << r.testo;
    QCOMPARE(testi, attesi);
    for (int k = 0; k < risposte.size(); ++k) {
        QCOMPARE(chiesti.at(k).tipo, TipoMessaggio::Conferma);
        QCOMPARE(chiesti.at(k).pulsanti, PulsantiMessaggio::SiNo);
    }
    QCOMPARE(leggiCampo(leggi(2), Campo::Autore), autore);
    QCOMPARE(leggiFile(archivio()).left(3990) + leggiFile(archivio()).mid(7980), altreSchede);
    QCOMPARE(QFileInfo::exists(scansione(2)), salvata);
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("2"));
    QCOMPARE(campoEditore("txtAutore")->text(), QStringLiteral("Mio"));

    // Once saved, the screen stands for what it wrote: the next save asks
    // nothing.
    if (salvata) {
        RegistroMessaggi messaggi;
        clicca(controlloEditore("cmdSalva"));
        QCOMPARE(messaggi.testi(), QStringList{kSchedaModificata});
    }
}

void TestSalvataggio::sovrascritturaToccaSoloIlRecord()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(5)));
    const QByteArray prima = leggiFile(archivio());
    vaiA(3);
    campoEditore("txtAutore")->setText(QStringLiteral("Autore cambiato"));
    m_editor->impostaFoto(tinta(QSize(70, 90), Qt::blue));

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi(), QStringList{kSchedaModificata});
    const QByteArray dopo = leggiFile(archivio());
    QCOMPARE(dopo.size(), prima.size());
    QCOMPARE(dopo.left(7980), prima.left(7980));
    QCOMPARE(dopo.mid(11970), prima.mid(11970));
    QVERIFY(dopo.mid(7980, 3990) != prima.mid(7980, 3990));
    QCOMPARE(leggiCampo(leggi(3), Campo::Autore), QStringLiteral("Autore cambiato"));
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("3"));
    const QImage scritta(scansione(3));
    QCOMPARE(scritta.size(), QSize(70, 90));
    QVERIFY(coloreVicino(coloreAlCentro(scritta), Qt::blue));
    QVERIFY(!QFileInfo::exists(scansione(2)));
}

// What is saved comes back as it was typed, trimmed: every field, the flag
// and the attachments the attachments window left in the hidden labels.
void TestSalvataggio::ritornoIdentico()
{
    QVERIFY(scriviFile(archivio(), QByteArray()));
    for (int k = 0; k < kCampiDescrittivi; ++k)
        m_editor->campo(Campo(k))->setText(QStringLiteral("  testo %1 ").arg(k));
    casellaDaCompletare(m_editor)->setChecked(true);
    for (int k = 0; k < 3; ++k)
        impostaAllegatoEditore(m_editor, k, QStringLiteral("allegato %1").arg(k),
                               QStringLiteral("allegato %1").arg(k + 3));

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    // Save does not write the trimmed texts back.
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("  testo 0 "));
    const TSchedaPagina s = leggi(1);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(s.DaCompletare), 3), QByteArray("\x02S\xEC", 3));
    for (int k = 0; k < 6; ++k)
        QCOMPARE(leggiCampo(s, Campo(int(Campo::File01) + k)), QStringLiteral("allegato %1").arg(k));

    clicca(controlloEditore("cmdNuovo"));
    clicca(controlloEditore("cmdPrimo"));
    for (int k = 0; k < kCampiDescrittivi; ++k)
        QCOMPARE(m_editor->campo(Campo(k))->text(), QStringLiteral("testo %1").arg(k));
    QVERIFY(casellaDaCompletare(m_editor)->isChecked());
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(m_editor->allegati().nomi[size_t(k)], QStringLiteral("allegato %1").arg(k));
        QCOMPARE(m_editor->allegati().descrizioni[size_t(k)], QStringLiteral("allegato %1").arg(k + 3));
    }
    QCOMPARE(messaggi.testi(), QStringList{kSchedaInserita});

    // A cleared box is stored as "No".
    casellaDaCompletare(m_editor)->setChecked(false);
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(leggi(1).DaCompletare), 3), QByteArray("\x02No", 3));
}

void TestSalvataggio::bitmapSalvataComeJpeg()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(1)));
    const QString bmp = m_programma->percorso(QStringLiteral("scansione.bmp"));
    QVERIFY(scriviFile(bmp, codifica(tinta(QSize(120, 160), QColor(0, 128, 0)), "BMP")));
    QImage caricata;
    QVERIFY(caricata.load(bmp));
    m_editor->impostaFoto(caricata);
    compila(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("2"));

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("2"));
    QCOMPARE(formatoDelFile(scansione(2)), QByteArray("jpeg"));
    const QImage scritta(scansione(2));
    QCOMPARE(scritta.size(), QSize(120, 160));
    QVERIFY(coloreVicino(coloreAlCentro(scritta), QColor(0, 128, 0)));
    QCOMPARE(QDir(m_programma->percorso(QStringLiteral("Pagine_Documenti"))).entryList(QDir::Files),
             QStringList{QStringLiteral("Prova_Foto_2.jpg")});
}

void TestSalvataggio::ogniSalvataggioRiscriveLaFoto()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(2)));
    vaiA(2);
    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(formatoDelFile(scansione(2)), QByteArray("jpeg"));
    // Spoiled between two saves of an unchanged picture: the second save
    // encodes it again.
    QVERIFY(scriviFile(scansione(2), QByteArray("rovinato")));
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(formatoDelFile(scansione(2)), QByteArray("jpeg"));
}

void TestSalvataggio::archivioInaccessibile()
{
    QVERIFY(QDir().mkpath(archivio()));
    compila(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("1"));
    const QImage foto = tinta(QSize(10, 10), Qt::red);
    m_editor->impostaFoto(foto);

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioAccessoArchivio});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Errore);
    QCOMPARE(posizioneMostrata(m_editor), QString());
    QCOMPARE(m_editor->foto(), foto);
    QVERIFY(!QFileInfo::exists(scansione(1)));
    QVERIFY(QDir().rmdir(archivio()));

    // Overwriting a record that is no longer in the file fails the same way.
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(2)));
    m_editor->MostraScheda(schedeNumerate(4).at(3), 4);
    messaggi.svuota();
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioAccessoArchivio});
    QCOMPARE(QFileInfo(archivio()).size(), 2 * kDimensioneScheda);
    QVERIFY(!QFileInfo::exists(scansione(4)));
}

// The record is stored but its scan cannot be: the user is told, and the
// picture stays on screen for another save.
void TestSalvataggio::fotoNonScrivibile()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(1)));
    QVERIFY(QDir().mkpath(scansione(2)));
    const QImage foto = tinta(QSize(30, 40), Qt::red);
    m_editor->impostaFoto(foto);
    compila(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("2"));

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi(), (QStringList{kSchedaInserita, kFotoNonSalvata}));
    QCOMPARE(messaggi.messaggi().at(1).tipo, TipoMessaggio::Avviso);
    QCOMPARE(QFileInfo(archivio()).size(), 2 * kDimensioneScheda);
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("2"));
    QCOMPARE(m_editor->foto(), foto);

    // Once the way is clear, saving again stores the same record and the scan.
    QVERIFY(QDir().rmdir(scansione(2)));
    messaggi.svuota();
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi(), QStringList{kSchedaModificata});
    QCOMPARE(QFileInfo(archivio()).size(), 2 * kDimensioneScheda);
    QCOMPARE(QImage(scansione(2)).size(), QSize(30, 40));
}

void TestSalvataggio::nuovo()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(3)));
    vaiA(2);
    casellaDaCompletare(m_editor)->setChecked(true);
    impostaAllegatoEditore(m_editor, 1, QString(), QStringLiteral("d"));
    m_editor->impostaFoto(tinta(QSize(10, 10), Qt::red));
    campoEditore("txtNote")->setFocus();

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdNuovo"));
    for (int k = 0; k < kCampiDescrittivi; ++k)
        QCOMPARE(m_editor->campo(Campo(k))->text(), QString());
    QVERIFY(!casellaDaCompletare(m_editor)->isChecked());
    QCOMPARE(m_editor->allegati().descrizioni[1], QString());
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    QCOMPARE(posizioneMostrata(m_editor), QString());
    QVERIFY(campoEditore("txtTitolo")->hasFocus());
    QCOMPARE(nomeMostrato(m_editor), QStringLiteral("Prova"));
    QCOMPARE(m_editor->percorsoArchivio(), archivio());

    // Saving an untouched new record is refused at the title.
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi(), QStringList{campiObbligatori()[0].avviso});
    QCOMPARE(QFileInfo(archivio()).size(), 3 * kDimensioneScheda);
}

void TestSalvataggio::duplicaPoiSalva()
{
    QVector<TSchedaPagina> schede = schedeNumerate(5);
    impostaFlag(schede[2], true);
    impostaCampo(schede[2], Campo::File01, QStringLiteral("lettera.pdf"));
    impostaCampo(schede[2], Campo::Desc01, QStringLiteral("la lettera"));
    QVERIFY(scriviArchivio(archivio(), schede));
    QVERIFY(scriviFile(scansione(3), codifica(tinta(QSize(50, 50), Qt::red), "JPG")));
    const QByteArray prima = leggiFile(archivio());
    vaiA(3);
    campoEditore("txtGiudizio")->setText(QStringLiteral("modifica non salvata"));
    campoEditore("txtNote")->setFocus();

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdDuplica"));
    QCOMPARE(messaggi.testi(), QStringList{kDuplicaPronta});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Informazione);
    QCOMPARE(posizioneMostrata(m_editor), QString());
    QCOMPARE(m_editor->allegati().nomi[0], QString());
    QCOMPARE(m_editor->allegati().descrizioni[0], QString());
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    QVERIFY(campoEditore("txtTitolo")->hasFocus());
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("Pagina 3"));
    QCOMPARE(campoEditore("txtGiudizio")->text(), QStringLiteral("modifica non salvata"));
    QVERIFY(casellaDaCompletare(m_editor)->isChecked());
    QCOMPARE(leggiFile(archivio()), prima);

    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("6"));
    const QByteArray dopo = leggiFile(archivio());
    QCOMPARE(dopo.left(prima.size()), prima);
    const TSchedaPagina copia = leggi(6);
    QCOMPARE(leggiCampo(copia, Campo::Titolo), QStringLiteral("Pagina 3"));
    QCOMPARE(leggiCampo(copia, Campo::Giudizio), QStringLiteral("modifica non salvata"));
    QCOMPARE(leggiFlag(copia), Flag::Si);
    QCOMPARE(leggiCampo(copia, Campo::File01), QString());
    QCOMPARE(leggiCampo(copia, Campo::Desc01), QString());
    QCOMPARE(QImage(scansione(6)).size(), m_editor->fotoSegnaposto().size());
    QCOMPARE(QImage(scansione(3)).size(), QSize(50, 50));
}

void TestSalvataggio::duplicaSuNuova()
{
    QVERIFY(scriviArchivio(archivio(), schedeNumerate(2)));
    compila(QStringLiteral("Bozza"), QString(), QString(), QString());
    impostaAllegatoEditore(m_editor, 1, QStringLiteral("b.pdf"), QString());
    const QImage foto = tinta(QSize(10, 10), Qt::red);
    m_editor->impostaFoto(foto);
    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdDuplica"));
    QCOMPARE(messaggi.testi(), QStringList{kDuplicaNonSalvata});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Avviso);
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("Bozza"));
    QCOMPARE(m_editor->allegati().nomi[1], QStringLiteral("b.pdf"));
    QCOMPARE(m_editor->foto(), foto);
    QCOMPARE(QFileInfo(archivio()).size(), 2 * kDimensioneScheda);
}

QTEST_MAIN(TestSalvataggio)
#include "tst_salvataggio.moc"
