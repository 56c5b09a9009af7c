#include "app/vistaimmagine.h"
#include "archives/frmapricatalogo.h"
#include "archives/frmcreacatalogo.h"
#include "editor/frmdocumenti.h"
#include "home/frmavvio.h"
#include "startup/finestre.h"

#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/supporto.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

// The way a new user goes from the launcher: create an archive by typing
// its name, open it, see it in the editor, come back and leave.
class TestPercorso : public QObject
{
    Q_OBJECT

private slots:
    void creaApriEsci();
};

void TestPercorso::creaApriEsci()
{
    ProgrammaDiProva programma;
    RegistroMessaggi messaggi;
    reinterpret_cast<QWidget *>(frmPassword())->hide();
    TfrmAvvio *avvio = frmAvvio();
    avvio->mostra();

    clicca(avvio->btnApp01);
    TfrmCreaCatalogo *crea = frmCreaCatalogo();
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmCreaCatalogo")});
    QTest::keyClicks(crea->txtFile, QStringLiteral("Lettere 1920"));
    clicca(crea->btnApplica);
    QCOMPARE(messaggi.messaggi().size(), 1);
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Informazione);
    QVERIFY(QFileInfo::exists(programma.percorso(QStringLiteral("Lettere 1920.kpx"))));
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmAvvio")});

    clicca(avvio->imgApp02);
    TfrmApriCatalogo *apri = frmApriCatalogo();
    QCOMPARE(apri->lblCreati->text(), QStringLiteral("Sono stati creati 1 documenti."));
    QListWidgetItem *voce = apri->lstFiles->item(0);
    QVERIFY(voce);
    QCOMPARE(voce->text(), QStringLiteral("Lettere 1920.kpx"));
    const QRect posto = apri->lstFiles->visualItemRect(voce);
    QTest::mouseClick(apri->lstFiles->viewport(), Qt::LeftButton, Qt::NoModifier, posto.center());
    clicca(apri->btnApri);

    TfrmDocumenti *editor = frmDocumenti();
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmDocumenti")});
    QCOMPARE(nomeMostrato(editor), QStringLiteral("Lettere 1920"));
    QCOMPARE(posizioneMostrata(editor), QString());

    editor->close();
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmAvvio")});
    QCOMPARE(programma.terminazioni(), 0);
    clicca(avvio->imgEsci);
    QCOMPARE(programma.terminazioni(), 1);
    QCOMPARE(messaggi.messaggi().size(), 1);
}

QTEST_MAIN(TestPercorso)
#include "tst_percorso.moc"
