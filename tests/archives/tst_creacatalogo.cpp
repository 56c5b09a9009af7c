#include "app/vistaimmagine.h"
#include "archives/frmcreacatalogo.h"
#include "home/frmavvio.h"
#include "startup/finestre.h"

#include "support/percorsi_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kNomeVuoto = QStringLiteral(
    "Attenzione: per creare il nuovo documento è necessario indicarne il nome.");
const QString kNomeUsato = QStringLiteral(
    "Attenzione: il nome del documento indicato è già stato utilizzato in precedenza.\r\n\r\n"
    "Inserire un nome diverso oppure, se si desidera aprire un documento già creato, "
    "premere il pulsante Apri documento esistente.");
const QString kCreato = QStringLiteral(
    "Il file relativo al nuovo documento è stato creato con successo.\r\n\r\n"
    "E' ora possibile visualizzarlo nell'elenco dei documenti esistenti.");

// The create window shown as the launcher shows it.
TfrmCreaCatalogo *apriCreazione()
{
    TfrmCreaCatalogo *w = frmCreaCatalogo();
    reinterpret_cast<QWidget *>(frmPassword())->hide();
    w->mostra();
    return w;
}

// A typed character, as the keyboard delivers it: the key and its text.
void digita(QWidget *campo, QChar c)
{
    const auto tasto = Qt::Key(c.toUpper().unicode());
    QTest::sendKeyEvent(QTest::Press, campo, tasto, QString(c), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, campo, tasto, QString(c), Qt::NoModifier);
}

} // namespace

class TestCreaCatalogo : public QObject
{
    Q_OBJECT

private slots:
    void filtroTasti_data();
    void filtroTasti();
    void filtroInputComposto();
    void creazione_data();
    void creazione();
    void nomeRifiutato_data();
    void nomeRifiutato();
    void nomeGiaUsato();
    void creazioneNegataDalFileSystem();
    void ogniAperturaVuota();
    void annullaTornaAlLauncher();
    void guida();
};

void TestCreaCatalogo::filtroTasti_data()
{
    QTest::addColumn<QString>("carattere");
    QTest::addColumn<bool>("accettato");
    const char16_t rifiutati[] = {u'"', u'*', u'/', u':', u'<', u'>', u'?', u'\\',
                                  u'\u00B0', u'\u00C7', u'\u00D1', u'\u00E7', u'\u00F1'};
    for (char16_t c : rifiutati)
        QTest::addRow("rifiuta U+%04X", unsigned(c)) << QString(QChar(c)) << false;
    // The bar is the one reserved Windows character that gets through; the
    // neighbours of the refused accented letters are ordinary letters.
    const char16_t accettati[] = {u'|', u'a', u'Z', u'.', u' ', u'\u00E8', u'\u00C8', u'\u00F2', u'\u00B1'};
    for (char16_t c : accettati)
        QTest::addRow("accetta U+%04X", unsigned(c)) << QString(QChar(c)) << true;
}

void TestCreaCatalogo::filtroTasti()
{
    QFETCH(QString, carattere);
    QFETCH(bool, accettato);

    ProgrammaDiProva programma;
    TfrmCreaCatalogo *w = apriCreazione();
    w->txtFile->setText(QStringLiteral("ab"));
    w->txtFile->setCursorPosition(1);
    digita(w->txtFile, carattere.at(0));
    QCOMPARE(w->txtFile->text(), accettato ? QStringLiteral("a") + carattere + QStringLiteral("b")
                                           : QStringLiteral("ab"));
}

// Characters composed with dead keys or an input method are typed too.
void TestCreaCatalogo::filtroInputComposto()
{
    ProgrammaDiProva programma;
    TfrmCreaCatalogo *w = apriCreazione();
    QInputMethodEvent evento;
    evento.setCommitString(QStringLiteral("a\u00E7|\u00F1b"));
    QCoreApplication::sendEvent(w->txtFile, &evento);
    QCOMPARE(w->txtFile->text(), QStringLiteral("a|b"));
}

void TestCreaCatalogo::creazione_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("file");
    QTest::newRow("spazi attorno") << " \t Lettere 1920  " << "Lettere 1920.kpx";
    QTest::newRow("estensione raddoppiata") << "registro.kpx" << "registro.kpx.kpx";
    QTest::newRow("barra verticale incollata") << "a|b" << "a|b.kpx";
    QTest::newRow("punti in mezzo") << "a..b" << "a..b.kpx";
    // The longest name whose scan of the last position still has a file
    // name of 255 bytes: name, "_Foto_", ten digits, ".jpg".
    QTest::newRow("nome al limite") << QString(235, u'a') << QString(235, u'a') + ".kpx";
}

void TestCreaCatalogo::creazione()
{
    QFETCH(QString, campo);
    QFETCH(QString, file);

    ProgrammaDiProva programma;
    RegistroMessaggi messaggi;
    TfrmCreaCatalogo *w = apriCreazione();
    w->txtFile->setText(campo);
    clicca(w->btnApplica);

    QCOMPARE(contenutoCartella(programma.cartella()), QStringList{file});
    QCOMPARE(QFileInfo(programma.percorso(file)).size(), 0);
    QCOMPARE(messaggi.testi(), QStringList{kCreato});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Informazione);
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmAvvio")});
}

void TestCreaCatalogo::nomeRifiutato_data()
{
    const QString nonAmmesso = QStringLiteral(
        "Attenzione: il nome del documento non può contenere i caratteri / e \\ "
        "né essere formato soltanto da punti.\r\n\r\n"
        "Il documento deve trovarsi nella cartella del programma: inserire un nome diverso.");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("vuoto") << "" << kNomeVuoto;
    QTest::newRow("solo spazi") << "    " << kNomeVuoto;
    QTest::newRow("spazi e controlli") << " \t\r\n " << kNomeVuoto;
    QTest::newRow("cartella superiore") << "../fuori" << nonAmmesso;
    QTest::newRow("sottocartella") << "sotto/dentro" << nonAmmesso;
    QTest::newRow("barra rovescia") << "..\\fuori" << nonAmmesso;
    // The test puts the program folder's parent in place of the marker.
    QTest::newRow("percorso assoluto") << "<superiore>/fuori" << nonAmmesso;
    QTest::newRow("due punti") << ".." << nonAmmesso;
    QTest::newRow("un punto") << " . " << nonAmmesso;
    QTest::newRow("carattere nullo incollato") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << nonAmmesso;
    const QString troppoLungo = QStringLiteral(
        "Attenzione: il nome del documento è troppo lungo per i nomi dei file delle foto delle sue pagine."
        "\r\n\r\nInserire un nome più breve.");
    QTest::newRow("un byte oltre il limite") << QString(236, u'a') << troppoLungo;
    QTest::newRow("lettere di due byte") << QString(200, QChar(0x00E8)) << troppoLungo;
}

// Nothing is created, in the program folder or next to it; the warning is
// shown, the focus is back in the field and the window stays open.
void TestCreaCatalogo::nomeRifiutato()
{
    QFETCH(QString, campo);
    QFETCH(QString, messaggio);

    ProgrammaDiProva programma;
    QDir().mkpath(programma.percorso(QStringLiteral("sotto")));
    const QString superiore = QFileInfo(programma.cartella() + QStringLiteral("..")).absoluteFilePath();
    campo.replace(QStringLiteral("<superiore>"), superiore);
    const QStringList primaSuperiore = contenutoCartella(superiore);
    RegistroMessaggi messaggi;
    TfrmCreaCatalogo *w = apriCreazione();
    w->txtFile->setText(campo);
    w->btnApplica->setFocus();
    clicca(w->btnApplica);

    QCOMPARE(messaggi.testi(), QStringList{messaggio});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Avviso);
    QCOMPARE(contenutoCartella(programma.cartella()), QStringList{QStringLiteral("sotto")});
    QVERIFY(contenutoCartella(programma.percorso(QStringLiteral("sotto"))).isEmpty());
    QCOMPARE(contenutoCartella(superiore), primaSuperiore);
    QCOMPARE(w->focusWidget(), w->txtFile);
    QCOMPARE(w->txtFile->text(), campo);
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmCreaCatalogo")});
}

void TestCreaCatalogo::nomeGiaUsato()
{
    ProgrammaDiProva programma;
    const QString esistente = programma.percorso(QStringLiteral("Lettere 1920.kpx"));
    const QByteArray contenuto(3990 * 2, 'x');
    QVERIFY(scriviFile(esistente, contenuto));

    RegistroMessaggi messaggi;
    TfrmCreaCatalogo *w = apriCreazione();
    w->txtFile->setText(QStringLiteral("  Lettere 1920"));
    clicca(w->btnApplica);

    QCOMPARE(messaggi.testi(), QStringList{kNomeUsato});
    QCOMPARE(leggiFile(esistente), contenuto);
    QCOMPARE(contenutoCartella(programma.cartella()), QStringList{QStringLiteral("Lettere 1920.kpx")});
    QCOMPARE(w->txtFile->text(), QStringLiteral("  Lettere 1920"));
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmCreaCatalogo")});
}

// A creation the file system refuses (here: a link left at the name, which
// points nowhere) ends in the general error report, with the system's
// reason in Italian and wrapped to fit the box, without the success
// message; the window keeps the name and the link is left alone.
void TestCreaCatalogo::creazioneNegataDalFileSystem()
{
    ProgrammaDiProva programma;
    QVERIFY(QFile::link(programma.percorso(QStringLiteral("nessuno/altrove")), programma.percorso(QStringLiteral("Lettere.kpx"))));
    RegistroMessaggi messaggi;
    TfrmCreaCatalogo *w = apriCreazione();
    w->txtFile->setText(QStringLiteral("Lettere"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Lettere\\.kpx.*esiste già un file")));
    clicca(w->btnApplica);

    QCOMPARE(messaggi.messaggi().size(), 1);
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Errore);
    const QString testo = messaggi.testi().first();
    QVERIFY2(testo.startsWith(QStringLiteral("Si è verificato un errore imprevisto.")), qPrintable(testo));
    QString senzaBianchi = testo;
    senzaBianchi.remove(QRegularExpression(QStringLiteral("\\s")));
    QVERIFY2(senzaBianchi.contains(QStringLiteral("esistegiàunfileconlostessonome")), qPrintable(testo));
    for (const QString &riga : testo.split(u'\n'))
        QVERIFY2(riga.size() <= 81, qPrintable(riga));
    QCOMPARE(contenutoCartella(programma.cartella()), QStringList{QStringLiteral("Lettere.kpx")});
    QVERIFY(QFileInfo(programma.percorso(QStringLiteral("Lettere.kpx"))).isSymLink());
    QCOMPARE(w->txtFile->text(), QStringLiteral("Lettere"));
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmCreaCatalogo")});
}

void TestCreaCatalogo::ogniAperturaVuota()
{
    ProgrammaDiProva programma;
    RegistroMessaggi messaggi;
    TfrmCreaCatalogo *w = apriCreazione();
    w->txtFile->setText(QStringLiteral("Primo"));
    clicca(w->btnApplica);
    QVERIFY(!w->isVisible());

    clicca(frmAvvio()->btnApp01);
    QVERIFY(w->isVisible());
    QCOMPARE(w->txtFile->text(), QString());
    QCOMPARE(w->focusWidget(), w->txtFile);

    // Abandoned text does not come back either.
    w->txtFile->setText(QStringLiteral("Secondo"));
    w->close();
    w->mostra();
    QCOMPARE(w->txtFile->text(), QString());
}

void TestCreaCatalogo::annullaTornaAlLauncher()
{
    ProgrammaDiProva programma;
    RegistroMessaggi messaggi;
    TfrmCreaCatalogo *w = apriCreazione();
    w->txtFile->setText(QStringLiteral("Non creato"));
    clicca(w->btnAnnulla);
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmAvvio")});
    QVERIFY(contenutoCartella(programma.cartella()).isEmpty());
    QVERIFY(messaggi.testi().isEmpty());
    QCOMPARE(programma.terminazioni(), 0);
}

void TestCreaCatalogo::guida()
{
    ProgrammaDiProva programma;
    TfrmCreaCatalogo *w = apriCreazione();
    QString aperta;
    allaProssimaModale([&](QWidget *m) {
        aperta = m->objectName();
        QCOMPARE(m->parentWidget(), w);
        static_cast<QDialog *>(m)->accept();
    });
    clicca(w->imgGuida);
    QVERIFY(!modaleMancata());
    QCOMPARE(aperta, QStringLiteral("frmGuida"));
    QVERIFY(w->isVisible());
}

QTEST_MAIN(TestCreaCatalogo)
#include "tst_creacatalogo.moc"
