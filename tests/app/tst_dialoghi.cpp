#include "app/dialoghifile.h"
#include "app/finestra.h"
#include "app/messaggi.h"

#include "support/supporto.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A dialog with one button that runs an action: enough to stack dialogs the
// way the editor, the export window and the help window stack.
class Dialogo : public FinestraDialogo
{
public:
    explicit Dialogo(QWidget *proprietario)
        : FinestraDialogo({"frmLivello", QStringLiteral(" Livello"), QSize(300, 200), Bordo::FissaProprietario, false},
                          proprietario)
    {
        pulsante = new QPushButton(QStringLiteral("Apri"), this);
        pulsante->setObjectName(QStringLiteral("btnApri"));
        connect(pulsante, &QPushButton::clicked, this, [this] {
            if (azione)
                azione(this);
            accept();
        });
    }
    QPushButton *pulsante;
    std::function<void(Dialogo *)> azione;
};

QFileDialog *dialogoFile(QWidget *m)
{
    return qobject_cast<QFileDialog *>(m);
}

void scriviNome(QFileDialog *d, const QString &nome)
{
    auto *campo = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(campo);
    campo->setText(nome);
}

} // namespace

class TestDialoghi : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { chiudiModali(); }

    void treLivelli();
    void dialogoFileApri();
    void dialogoFileSalvaChiedePrimaDiSovrascrivere();
    void rispostaFileSenzaDialogo();
};

// Window -> dialog -> dialog -> message box, each level answered by the step
// scheduled before the click that opens it.
void TestDialoghi::treLivelli()
{
    QWidget finestra;
    finestra.show();
    QStringList passi;
    int risposta = 0;

    allaProssimaModale([&](QWidget *primo) {
        passi << primo->windowTitle();
        auto *d1 = static_cast<Dialogo *>(primo);
        d1->azione = [&](Dialogo *da) {
            allaProssimaModale([&](QWidget *secondo) {
                passi << secondo->windowTitle();
                QCOMPARE(secondo->parentWidget(), static_cast<QWidget *>(da));
                auto *d2 = static_cast<Dialogo *>(secondo);
                d2->azione = [&](Dialogo *) {
                    allaProssimaModale([&](QWidget *terzo) {
                        auto *box = qobject_cast<QMessageBox *>(terzo);
                        QVERIFY(box);
                        passi << box->text();
                        box->button(QMessageBox::No)->click();
                    });
                    risposta = MostraMessaggio(QStringLiteral("Terzo livello?"), TipoMessaggio::Conferma,
                                               PulsantiMessaggio::SiNo);
                    passi << QStringLiteral("risposta");
                };
                d2->pulsante->click();
            });
            apriDialogo<Dialogo>(da, [](Dialogo &d) { d.setWindowTitle(QStringLiteral(" Secondo")); });
            passi << QStringLiteral("secondo chiuso");
        };
        d1->pulsante->click();
    });
    apriDialogo<Dialogo>(&finestra, [](Dialogo &d) { d.setWindowTitle(QStringLiteral(" Primo")); });

    QVERIFY(!modaleMancata());
    QCOMPARE(risposta, int(mrNo));
    QCOMPARE(passi, (QStringList{QStringLiteral(" Primo"), QStringLiteral(" Secondo"), QStringLiteral("Terzo livello?"),
                                 QStringLiteral("risposta"), QStringLiteral("secondo chiuso")}));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestDialoghi::dialogoFileApri()
{
    QTemporaryDir dir;
    const QString foto = dir.filePath(QStringLiteral("pagina.jpg"));
    QVERIFY(scriviFile(foto, "x"));

    RichiestaFile r;
    r.titolo = QStringLiteral("Carica foto");
    r.filtri = QStringList{QStringLiteral("JPEG (*.jpg *.jpeg)"), QStringLiteral("Bitmap (*.bmp)")};
    r.cartella = dir.path();

    allaProssimaModale([&](QWidget *m) {
        QFileDialog *d = dialogoFile(m);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), r.titolo);
        QCOMPARE(d->nameFilters(), r.filtri);
        QCOMPARE(d->acceptMode(), QFileDialog::AcceptOpen);
        scriviNome(d, foto);
        static_cast<QDialog *>(d)->accept();
    });
    QCOMPARE(scegliFile(nullptr, r), foto);

    allaProssimaModale([](QWidget *m) { static_cast<QDialog *>(m)->reject(); });
    QCOMPARE(scegliFile(nullptr, r), QString());
    QVERIFY(!modaleMancata());
}

// The overwrite question is the file dialog's own message box: a second
// level, driven the same way.
void TestDialoghi::dialogoFileSalvaChiedePrimaDiSovrascrivere()
{
    QTemporaryDir dir;
    const QString esistente = dir.filePath(QStringLiteral("Foto.jpg"));
    QVERIFY(scriviFile(esistente, "vecchia"));

    RichiestaFile r;
    r.modo = RichiestaFile::Salva;
    r.titolo = QStringLiteral("Salva foto");
    r.filtri = QStringList{QStringLiteral("JPEG (*.jpg)")};
    r.nomeProposto = QStringLiteral("Foto.jpg");
    r.cartella = dir.path();
    r.estensionePredefinita = QStringLiteral("jpg");

    bool domandaVista = false;
    allaProssimaModale([&](QWidget *m) {
        QFileDialog *d = dialogoFile(m);
        QVERIFY(d);
        QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text(), QStringLiteral("Foto.jpg"));
        // The dialog reads its folder in the background; let it settle
        // before pressing Save, as a user would.
        QTest::qWait(200);
        allaProssimaModale([&](QWidget *domanda) {
            auto *box = qobject_cast<QMessageBox *>(domanda);
            QVERIFY(box);
            domandaVista = true;
            box->button(QMessageBox::No)->click();
        });
        static_cast<QDialog *>(d)->accept(); // the existing Foto.jpg: asks, No keeps the dialog open
        QVERIFY(d->isVisible());
        d->reject();
    });
    QCOMPARE(scegliFile(nullptr, r), QString());
    QVERIFY(domandaVista);
    QVERIFY(!modaleMancata());
}

void TestDialoghi::rispostaFileSenzaDialogo()
{
    RispostaFile risposte;
    risposte.rispondi(QStringLiteral("/tmp/a.jpg"));
    RichiestaFile r;
    r.titolo = QStringLiteral("Carica foto");
    QCOMPARE(contestoDiProva().scegliFile(nullptr, r), QStringLiteral("/tmp/a.jpg"));
    QCOMPARE(contestoDiProva().scegliFile(nullptr, r), QString()); // nothing queued: cancelled
    QCOMPARE(risposte.richieste().size(), 2);
    QCOMPARE(risposte.richieste().at(0).titolo, QStringLiteral("Carica foto"));
}

QTEST_MAIN(TestDialoghi)
#include "tst_dialoghi.moc"
