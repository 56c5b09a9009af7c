#include "app/vistaimmagine.h"
#include "editor/frmallegacartella.h"
#include "editor/frmdocumenti.h"
#include "editor/frmzoom.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/immagini_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

// The scan buttons and the attachments command driven through the editor
// itself, as a user reaches them.
class TestFotoEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void caricaSenzaFoto_data();
    void caricaSenzaFoto();
    void scansioneIlleggibileNonSovrascritta_data();
    void scansioneIlleggibileNonSovrascritta();
    void scansioneGrandeMostrata();
    void scansioneSalvataSenzaPerdite_data();
    void scansioneSalvataSenzaPerdite();
    void cancellaNonToccaLaScansione_data();
    void cancellaNonToccaLaScansione();
    void zoomSempreNuovoSullaFotoAttuale_data();
    void zoomSempreNuovoSullaFotoAttuale();
    void allegatiDallEditore_data();
    void allegatiDallEditore();
    void allegatiSalvatiRestano_data();
    void allegatiSalvatiRestano();

private:
    // An archive of three records; the first has a red scan and the
    // attachment "fattura.pdf" in its first slot only.
    void preparaArchivio();
    void vaiA(int posizione);
    // Opens the attachments window with the editor's command, runs the
    // steps inside it and returns once it has closed.
    void dentroAllegati(const std::function<void(TfrmAllegaCartella *)> &passi);
    QStringList etichetteAllegati() const;

    std::unique_ptr<EditoreDiProva> m_programma;
    TfrmDocumenti *m_editor = nullptr;
};

namespace {

const QColor kRossa(220, 20, 20);

TSchedaPagina leggiScheda(const QString &archivio, int posizione)
{
    TArchivioPagine a;
    a.ApriArchivio(archivio);
    const TSchedaPagina s = a.LeggiScheda(posizione);
    a.ChiudiArchivio();
    return s;
}

// A JPEG whose header declares the given size, with the data of a small
// picture behind it: decoders read the size first and stop there.
QByteArray jpegDichiarato(const QSize &dimensione)
{
    QByteArray jpeg = codifica(tinta(QSize(16, 16), Qt::gray), "JPG");
    for (int i = 2; i + 8 < jpeg.size(); i += 2 + (uchar(jpeg[i + 2]) << 8 | uchar(jpeg[i + 3]))) {
        if (uchar(jpeg[i]) != 0xFF)
            break;
        if (uchar(jpeg[i + 1]) == 0xC0) { // start of frame: precision, height, width
            jpeg[i + 5] = char(dimensione.height() >> 8);
            jpeg[i + 6] = char(dimensione.height() & 0xFF);
            jpeg[i + 7] = char(dimensione.width() >> 8);
            jpeg[i + 8] = char(dimensione.width() & 0xFF);
            return jpeg;
        }
    }
    return QByteArray();
}

QStringList allegatiDi(const TSchedaPagina &s)
{
    QStringList t;
    for (int k = 0; k < 6; ++k)
        t << leggiCampo(s, Campo(int(Campo::File01) + k));
    return t;
}

} // namespace

void TestFotoEditor::initTestCase()
{
    m_programma = std::make_unique<EditoreDiProva>();
}

void TestFotoEditor::cleanupTestCase()
{
    m_programma.reset();
}

void TestFotoEditor::init()
{
    m_editor = m_programma->riapri();
    // Copies left by an earlier case would bring up the overwrite question.
    QDir(m_programma->percorso(QStringLiteral("Documenti_Allegati"))).removeRecursively();
    azzeraModaleMancata();
}

void TestFotoEditor::cleanup()
{
    chiudiModali();
    azzeraModaleMancata();
}

void TestFotoEditor::preparaArchivio()
{
    QVector<TSchedaPagina> schede = schedeNumerate(3);
    impostaCampo(schede[0], Campo::File01, QStringLiteral("fattura.pdf"));
    impostaCampo(schede[0], Campo::Desc01, QStringLiteral("Fattura di marzo"));
    QVERIFY(scriviArchivio(m_programma->archivio(), schede));
    QVERIFY(scriviFile(m_programma->scansione(1), codifica(tinta(QSize(600, 800), kRossa), "JPG")));
}

void TestFotoEditor::vaiA(int posizione)
{
    clicca(controlloEditore("cmdPrimo"));
    for (int k = 1; k < posizione; ++k)
        clicca(controlloEditore("cmdAvanti"));
    QCOMPARE(posizioneMostrata(m_editor), QString::number(posizione));
}

QStringList TestFotoEditor::etichetteAllegati() const
{
    const ValoriAllegati v = m_editor->allegati();
    QStringList t;
    for (const QString &nome : v.nomi)
        t << nome;
    for (const QString &descrizione : v.descrizioni)
        t << descrizione;
    return t;
}

void TestFotoEditor::dentroAllegati(const std::function<void(TfrmAllegaCartella *)> &passi)
{
    bool eseguito = false;
    allaProssimaModale([&](QWidget *m) {
        auto *finestra = qobject_cast<TfrmAllegaCartella *>(m);
        QVERIFY(finestra);
        eseguito = true;
        passi(finestra);
        if (finestra->isVisible()) // a failed check must not leave it open
            finestra->btnAnnulla->click();
    });
    clicca(controlloEditore("cmdFile"));
    QVERIFY(!modaleMancata());
    QVERIFY(eseguito);
    QVERIFY(m_editor->findChildren<QDialog *>().isEmpty());
}

void TestFotoEditor::caricaSenzaFoto_data()
{
    QTest::addColumn<QByteArray>("contenuto"); // of the chosen file; null: the dialog is cancelled
    QTest::addColumn<bool>("segnaposto");

    QTest::newRow("annullato") << QByteArray() << false;
    QTest::newRow("testo chiamato .jpg") << QByteArray("non sono una foto\n") << true;
    QTest::newRow("bitmap tronca") << codifica(tinta(QSize(50, 50), Qt::blue), "BMP").left(30) << true;
}

// Cancelling keeps the scan on screen; a file that is not a picture puts the
// placeholder there without a word. Either way the scan file stays.
void TestFotoEditor::caricaSenzaFoto()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, segnaposto);

    preparaArchivio();
    vaiA(1);
    const QImage prima = m_editor->foto();
    QVERIFY(coloreVicino(coloreAlCentro(prima), kRossa));
    const QByteArray scansione = leggiFile(m_programma->scansione(1));

    RispostaFile risposte;
    RegistroMessaggi messaggi;
    if (!contenuto.isNull()) {
        const QString scelto = m_programma->percorso(QStringLiteral("scelta.jpg"));
        QVERIFY(scriviFile(scelto, contenuto));
        risposte.rispondi(scelto);
    }
    clicca(controlloEditore("btnCaricaFoto"));

    QCOMPARE(risposte.richieste().size(), 1);
    QVERIFY(messaggi.testi().isEmpty());
    QCOMPARE(m_editor->foto(), segnaposto ? m_editor->fotoSegnaposto() : prima);
    QCOMPARE(fotoEditore(m_editor)->immagine(), m_editor->foto());
    QCOMPARE(leggiFile(m_programma->scansione(1)), scansione);
}

void TestFotoEditor::scansioneIlleggibileNonSovrascritta_data()
{
    QTest::addColumn<QByteArray>("scansione"); // the record's scan file, which the editor cannot read
    QTest::addColumn<QStringList>("comandi");  // before the save
    QTest::addColumn<QString>("scelto");       // the file dialogs' answer; empty: cancelled
    QTest::addColumn<bool>("sostituita");

    const QByteArray rovinata("\xff\xd8 non più leggibile");
    // A real scan header of 12,000 pixels a side: more than the program
    // decodes at once.
    const QByteArray enorme = jpegDichiarato(QSize(12000, 12000));
    QTest::newRow("solo salva") << rovinata << QStringList() << QString() << false;
    QTest::newRow("avanti e indietro") << rovinata << QStringList{"cmdAvanti", "cmdIndietro"} << QString() << false;
    QTest::newRow("foto rimossa dall'utente") << rovinata << QStringList{"btnCancFoto"} << QString() << true;
    QTest::newRow("12000 px, solo salva") << enorme << QStringList() << QString() << false;
    QTest::newRow("12000 px, carica foto annullata") << enorme << QStringList{"btnCaricaFoto"} << QString() << false;
    QTest::newRow("12000 px, salva copia annullata") << enorme << QStringList{"btnSalvaFoto"} << QString() << false;
    QTest::newRow("12000 px, salva copia scritta")
        << enorme << QStringList{"btnSalvaFoto"} << QStringLiteral("copia.jpg") << false;
    QTest::newRow("12000 px, salva copia non scritta")
        << enorme << QStringList{"btnSalvaFoto"} << QStringLiteral("manca/copia.jpg") << false;
    QTest::newRow("12000 px, altra foto caricata")
        << enorme << QStringList{"btnCaricaFoto"} << QStringLiteral("scelta.jpg") << true;
}

// A scan file that cannot be read shows the placeholder; saving the record's
// fields must not write that placeholder over the user's file, unless the
// user put another picture in its place on purpose. A cancelled dialog and
// a copy saved elsewhere put nothing new there.
void TestFotoEditor::scansioneIlleggibileNonSovrascritta()
{
    QFETCH(QByteArray, scansione);
    QFETCH(QStringList, comandi);
    QFETCH(QString, scelto);
    QFETCH(bool, sostituita);

    preparaArchivio();
    QVERIFY(scriviFile(m_programma->scansione(2), scansione));
    QVERIFY(scriviFile(m_programma->percorso(QStringLiteral("scelta.jpg")),
                       codifica(tinta(QSize(60, 80), Qt::blue), "JPG")));
    vaiA(2);
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    RispostaFile risposte;
    if (!scelto.isEmpty())
        risposte.rispondi(m_programma->percorso(scelto));
    for (const QString &c : comandi)
        clicca(controlloEditore(c.toLatin1().constData()));
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("2"));

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi().size(), 1); // the confirmation, no failure
    QCOMPARE(leggiFile(m_programma->scansione(2)) != scansione, sostituita);
}

// A page scanned at 600 dpi decodes to more than the toolkit's default
// limit for one picture; it must still come on screen, not the placeholder
// (which a save would then write over it).
void TestFotoEditor::scansioneGrandeMostrata()
{
    preparaArchivio();
    QVERIFY(scriviFile(m_programma->scansione(2), codifica(tinta(QSize(4960, 7016), kRossa), "JPG")));
    vaiA(2);
    QCOMPARE(m_editor->foto().size(), QSize(4960, 7016));
}

void TestFotoEditor::scansioneSalvataSenzaPerdite_data()
{
    QTest::addColumn<QString>("caricata");   // the file the user loads with btnCaricaFoto; empty: none
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("intatta");       // the scan file must hold exactly these bytes

    const QImage pagina = conDpi(tinta(QSize(310, 440), QColor(235, 225, 205)), 300);
    const QByteArray jpeg = codifica(pagina, "JPG", 97);
    QTest::newRow("scansione mostrata") << QString() << jpeg << true;
    QTest::newRow("jpeg caricato") << QStringLiteral("pagina.jpg") << jpeg << true;
    QTest::newRow("png caricato") << QStringLiteral("pagina.png") << codifica(pagina, "PNG") << false;
}

// Saving a record again and again must not wear its scan down: a JPEG keeps
// its bytes and its resolution, anything else is encoded once, finely.
void TestFotoEditor::scansioneSalvataSenzaPerdite()
{
    QFETCH(QString, caricata);
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, intatta);

    preparaArchivio();
    if (caricata.isEmpty())
        QVERIFY(scriviFile(m_programma->scansione(2), contenuto));
    vaiA(2);
    if (!caricata.isEmpty()) {
        RispostaFile risposte;
        const QString percorso = m_programma->percorso(caricata);
        QVERIFY(scriviFile(percorso, contenuto));
        risposte.rispondi(percorso);
        clicca(controlloEditore("btnCaricaFoto"));
        QCOMPARE(m_editor->foto().size(), QSize(310, 440));
    }

    RegistroMessaggi messaggi;
    clicca(controlloEditore("cmdSalva"));
    const QByteArray primo = leggiFile(m_programma->scansione(2));
    if (intatta) {
        QCOMPARE(primo, contenuto);
    } else {
        QVERIFY2(qualitaJpeg(primo) >= 92, qPrintable(QString::number(qualitaJpeg(primo))));
        QCOMPARE(dpi(QImage::fromData(primo)), 300);
    }
    // Shown again and saved ten more times, as a record is over the years.
    for (int volta = 0; volta < 10; ++volta) {
        if (volta == 5)
            vaiA(2);
        clicca(controlloEditore("cmdSalva"));
    }
    QCOMPARE(leggiFile(m_programma->scansione(2)), primo);
    QCOMPARE(messaggi.testi().size(), 11); // the confirmations, no failure
}

void TestFotoEditor::cancellaNonToccaLaScansione_data()
{
    QTest::addColumn<QStringList>("andata");
    QTest::addColumn<QStringList>("ritorno");

    QTest::newRow("avanti e indietro") << QStringList{"cmdAvanti"} << QStringList{"cmdIndietro"};
    QTest::newRow("ultima e prima") << QStringList{"cmdUltimo"} << QStringList{"cmdPrimo"};
    QTest::newRow("nuova scheda e prima") << QStringList{"cmdNuovo"} << QStringList{"cmdPrimo"};
}

// Removing changes only the screen: without a save, the record's scan file
// keeps the old scan, and coming back shows it again.
void TestFotoEditor::cancellaNonToccaLaScansione()
{
    QFETCH(QStringList, andata);
    QFETCH(QStringList, ritorno);

    preparaArchivio();
    vaiA(1);
    const QImage vecchia = m_editor->foto();
    const QByteArray scansione = leggiFile(m_programma->scansione(1));

    RegistroMessaggi messaggi;
    clicca(controlloEditore("btnCancFoto"));
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    for (const QString &c : andata)
        clicca(controlloEditore(c.toLatin1().constData()));
    QVERIFY(posizioneMostrata(m_editor) != QLatin1String("1"));
    for (const QString &c : ritorno)
        clicca(controlloEditore(c.toLatin1().constData()));

    QVERIFY(messaggi.testi().isEmpty());
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("1"));
    QCOMPARE(leggiFile(m_programma->scansione(1)), scansione);
    QCOMPARE(m_editor->foto(), vecchia);
}

void TestFotoEditor::zoomSempreNuovoSullaFotoAttuale_data()
{
    QTest::addColumn<QString>("dove"); // what the closing click hits

    QTest::newRow("clic sulla foto") << QStringLiteral("imgFoto");
    QTest::newRow("clic sul pannello") << QStringLiteral("panContainer");
}

// Each zoom is a new window showing the picture the editor has at that
// moment; a click closes it and the editor is as it was.
void TestFotoEditor::zoomSempreNuovoSullaFotoAttuale()
{
    QFETCH(QString, dove);

    preparaArchivio();
    vaiA(1);
    RegistroMessaggi messaggi;

    const auto zoom = [&](const QImage &attesa) {
        QPointer<TfrmZoom> aperta;
        allaProssimaModale([&](QWidget *m) {
            aperta = qobject_cast<TfrmZoom *>(m);
            QVERIFY(aperta);
            QVERIFY(aperta->isModal());
            QVERIFY(aperta->windowState() & Qt::WindowMaximized);
            QCOMPARE(aperta->parentWidget(), static_cast<QWidget *>(m_editor));
            QCOMPARE(aperta->imgFoto->immagine(), attesa);
            QWidget *bersaglio = aperta->findChild<QWidget *>(dove);
            QVERIFY(bersaglio);
            QTest::mouseClick(bersaglio, Qt::LeftButton);
            QTRY_VERIFY(!aperta || !aperta->isVisible());
        });
        clicca(controlloEditore("btnZoomFoto"));
        QVERIFY(!modaleMancata());
        QVERIFY(aperta.isNull());
        QVERIFY(m_editor->findChildren<TfrmZoom *>().isEmpty());
    };

    const QImage scansione = m_editor->foto();
    zoom(scansione);
    QCOMPARE(m_editor->foto(), scansione);

    clicca(controlloEditore("btnCancFoto"));
    zoom(m_editor->fotoSegnaposto());
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    QVERIFY(messaggi.testi().isEmpty());
    QVERIFY(m_editor->isVisible());
}

void TestFotoEditor::allegatiDallEditore_data()
{
    QTest::addColumn<bool>("applica");
    QTest::newRow("Applica e chiudi") << true;
    QTest::newRow("Annulla") << false;
}

// The window opens on the record's attachments, "Apri" only where a name is;
// confirming writes the rows back into the editor (not yet into the
// archive), cancelling leaves the editor as it was.
void TestFotoEditor::allegatiDallEditore()
{
    QFETCH(bool, applica);

    preparaArchivio();
    vaiA(1);
    const QStringList prima{QStringLiteral("fattura.pdf"), QString(), QString(), QStringLiteral("Fattura di marzo"),
                            QString(), QString()};
    QCOMPARE(etichetteAllegati(), prima);
    const QString scelto = m_programma->percorso(QStringLiteral("esterni/ricevuta.txt"));
    QVERIFY(scriviFile(scelto, "ricevuta"));

    RispostaFile file;
    file.rispondi(scelto);
    RegistroMessaggi messaggi;
    dentroAllegati([&](TfrmAllegaCartella *f) {
        QCOMPARE(f->lblMemory->text(), QStringLiteral("documenti"));
        const bool apri[] = {true, false, false};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(f->riga(k).txtFile->text(), prima.at(k));
            QCOMPARE(f->riga(k).txtDesc->text(), prima.at(3 + k));
            QCOMPARE(f->riga(k).btnApri->isEnabled(), apri[k]);
        }
        QTest::mouseClick(f->riga(1).btnSfoglia, Qt::LeftButton);
        QCOMPARE(f->riga(1).txtFile->text(), QStringLiteral("ricevuta.txt"));
        QVERIFY(f->riga(1).btnApri->isEnabled());
        f->riga(1).txtDesc->setText(QStringLiteral("  Ricevuta  "));
        QTest::mouseClick(f->riga(0).imgCancella, Qt::LeftButton);
        QTest::mouseClick(applica ? f->btnApplica : f->btnAnnulla, Qt::LeftButton);
        QVERIFY(!f->isVisible());
    });

    QVERIFY(messaggi.testi().isEmpty());
    const QStringList dopo{QString(), QStringLiteral("ricevuta.txt"), QString(), QStringLiteral("Fattura di marzo"),
                           QStringLiteral("Ricevuta"), QString()};
    QCOMPARE(etichetteAllegati(), applica ? dopo : prima);
    // Chosen means copied, whatever the way out.
    QCOMPARE(leggiFile(m_programma->percorso(QStringLiteral("Documenti_Allegati/ricevuta.txt"))),
             QByteArray("ricevuta"));
    QCOMPARE(allegatiDi(leggiScheda(m_programma->archivio(), 1)), prima);
}

void TestFotoEditor::allegatiSalvatiRestano_data()
{
    QTest::addColumn<bool>("nuova");
    QTest::newRow("scheda esistente") << false;
    QTest::newRow("scheda nuova") << true;
}

// What the window hands to the editor reaches the archive on save and comes
// back when the record is shown again.
void TestFotoEditor::allegatiSalvatiRestano()
{
    QFETCH(bool, nuova);

    preparaArchivio();
    if (nuova) {
        campoEditore("txtTitolo")->setText(QStringLiteral("Nuova"));
        campoEditore("txtCodice")->setText(QStringLiteral("N-1"));
        campoEditore("txtAutore")->setText(QStringLiteral("Chi"));
        campoEditore("txtPagNum")->setText(QStringLiteral("1"));
    } else {
        vaiA(2);
    }
    const int posizione = nuova ? 4 : 2;
    const QString scelto = m_programma->percorso(QStringLiteral("esterni/verbale.doc"));
    QVERIFY(scriviFile(scelto, "verbale"));

    RispostaFile file;
    file.rispondi(scelto);
    RegistroMessaggi messaggi;
    dentroAllegati([&](TfrmAllegaCartella *f) {
        QTest::mouseClick(f->riga(2).btnSfoglia, Qt::LeftButton);
        f->riga(2).txtDesc->setText(QStringLiteral("Verbale"));
        f->riga(0).txtDesc->setText(QStringLiteral("Solo descrizione"));
        QTest::mouseClick(f->btnApplica, Qt::LeftButton);
    });
    const QStringList attesi{QString(), QString(), QStringLiteral("verbale.doc"), QStringLiteral("Solo descrizione"),
                             QString(), QStringLiteral("Verbale")};
    QCOMPARE(etichetteAllegati(), attesi);

    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi().size(), 1); // the notice of the save, nothing else
    QCOMPARE(posizioneMostrata(m_editor), QString::number(posizione));
    QCOMPARE(allegatiDi(leggiScheda(m_programma->archivio(), posizione)), attesi);

    clicca(controlloEditore("cmdPrimo"));
    QCOMPARE(etichetteAllegati().at(0), QStringLiteral("fattura.pdf"));
    vaiA(posizione);
    QCOMPARE(etichetteAllegati(), attesi);

    // The next opening of the window starts from the saved values.
    dentroAllegati([&](TfrmAllegaCartella *f) {
        QCOMPARE(f->riga(2).txtFile->text(), QStringLiteral("verbale.doc"));
        QVERIFY(f->riga(2).btnApri->isEnabled());
        QVERIFY(!f->riga(0).btnApri->isEnabled());
        QCOMPARE(f->riga(0).txtDesc->text(), QStringLiteral("Solo descrizione"));
    });
    QCOMPARE(etichetteAllegati(), attesi);
}

QTEST_MAIN(TestFotoEditor)
#include "tst_fotoeditor.moc"
