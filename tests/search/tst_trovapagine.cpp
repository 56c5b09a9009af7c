#include "app/vistaimmagine.h"
#include "editor/frmdocumenti.h"
#include "search/frmtrovapagine.h"
#include "search/modellorighe.h"
#include "search/rigariepilogo.h"
#include "startup/finestre.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/permessi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/righe_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <memory>

#include <sys/stat.h>

namespace {

using Testi = QMap<QString, QString>;

const char *const kOrdineInvio[10] = {"txtTitolo", "txtCodice", "txtAutore", "txtTipologia", "txtPagNum",
                                      "txtDescrizione", "txtIncipit", "txtParole", "txtGiudizio", "txtNote"};

// Five records in file order; the list shows them by title.
QVector<TSchedaPagina> archivioDiProva()
{
    TSchedaPagina conDescrizione = schedaDiProva("Registro", "Rossi Mario", "R-2", "7");
    impostaCampo(conDescrizione, Campo::Descrizione, QStringLiteral("Pagina con mappa"));
    return {
        schedaDiProva("Lettera", "Rossi", "L-1", "1"),
        schedaDiProva("atto notarile", QStringLiteral("Èrcole Bianchi"), "A-9", "3"),
        conDescrizione,
        schedaDiProva("Contratto", "Verdi", "C-4", "2"),
        schedaDiProva("Zibaldone", "Mario Rossi", "Z-1", "12"),
    };
}

QStringList titoli(const QStringList &righe)
{
    QStringList t;
    for (const QString &r : righe)
        t.append(r.left(55).trimmed());
    return t;
}

} // namespace

class TestTrovaPagine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aspetto();
    void aloniEInvio();
    void cerca_data();
    void cerca();
    void cercaPresentaIRisultati();
    void cercaArchivioMancante();
    void cercaArchivioInaccessibile();
    void attendereAllaPressione();
    void trovaListaVuota();
    void trovaCammina();
    void ultimoTrovaAzzeratoAllApertura();
    void doppioClicScriveLEditore();
    void doppioClicRigaTagliata();
    void doppioClicRigheUguali();
    void doppioClicSenzaMarca();
    void doppioClicSenzaSelezione();
    void doppioClicArchivioSparito();
    void aperturaDallEditore();
    void aperturaDallEditoreSolaLettura();

private:
    std::unique_ptr<TfrmTrovaPagine> apri(bool marca = true);
    QLineEdit *campo(TfrmTrovaPagine *f, const char *nome);
    // A search with the given texts typed into the named fields.
    void cercaCon(TfrmTrovaPagine *f, const Testi &testi = {});

    std::unique_ptr<ProgrammaDiProva> m_programma;
    QString m_archivio;
};

void TestTrovaPagine::init()
{
    m_programma = std::make_unique<ProgrammaDiProva>();
    m_archivio = m_programma->percorso(QStringLiteral("Prova.kpx"));
    QVERIFY(scriviArchivio(m_archivio, archivioDiProva()));
    frmDocumenti()->documento().impostaCartellaProgramma(m_programma->cartella());
    frmDocumenti()->documento().apri(QStringLiteral("  ") + m_archivio + QStringLiteral(" "), QStringLiteral("Prova"));
}

void TestTrovaPagine::cleanup()
{
    chiudiModali();
    azzeraModaleMancata();
    m_programma.reset();
}

std::unique_ptr<TfrmTrovaPagine> TestTrovaPagine::apri(bool marca)
{
    auto f = std::make_unique<TfrmTrovaPagine>(contestoDiProva(), frmDocumenti());
    suArchivioEditore(f.get());
    if (marca)
        f->impostaChiamante(Chiamante::Documenti);
    f->show();
    QApplication::setActiveWindow(f.get());
    return f;
}

QLineEdit *TestTrovaPagine::campo(TfrmTrovaPagine *f, const char *nome)
{
    auto *c = f->findChild<QLineEdit *>(QString::fromLatin1(nome));
    if (!c)
        qWarning("manca %s", nome);
    return c;
}

void TestTrovaPagine::cercaCon(TfrmTrovaPagine *f, const Testi &testi)
{
    for (auto it = testi.begin(); it != testi.end(); ++it)
        f->findChild<QLineEdit *>(it.key())->setText(it.value());
    QTest::mouseClick(f->btnCerca, Qt::LeftButton);
}

void TestTrovaPagine::aspetto()
{
    auto f = apri();
    QCOMPARE(f->windowTitle(), QStringLiteral(" Trova pagine in archivio"));
    QCOMPARE(f->size(), QSize(862, 560));
    QCOMPARE(f->minimumSize(), f->maximumSize());
    QVERIFY(!(f->windowFlags() & Qt::WindowCloseButtonHint));

    // Two panels of 833 x 529, centred on each other; criteria first.
    QCOMPARE(f->panAvvio->size(), QSize(833, 529));
    QCOMPARE(f->panContainer->size(), QSize(833, 529));
    QCOMPARE(f->panAvvio->geometry().center(), f->rect().center());
    QVERIFY(f->panAvvio->isVisible());
    QVERIFY(!f->panContainer->isVisible());

    QCOMPARE(f->lblMemory->text(), QStringLiteral("documenti"));
    QVERIFY(f->lblMemory->isHidden());
    QCOMPARE(f->lblConta->text(), QStringLiteral("0"));
    QVERIFY(f->lblConta->isHidden());
    QVERIFY(f->lblAttendere->isHidden());
    QCOMPARE(f->btnCerca->text(), QStringLiteral("Cerca"));
    QCOMPARE(f->btnAnnulla->text(), QStringLiteral("Chiudi"));
    QCOMPARE(f->btnChiudi->text(), QStringLiteral("Chiudi"));
    QCOMPARE(f->btnStampa->text(), QStringLiteral("Stampa"));
    QCOMPARE(f->btnTrova->text(), QStringLiteral("Trova"));
    QCOMPARE(f->lstRecords->objectName(), QStringLiteral("lstRecords"));
    QCOMPARE(f->lstRecords->size(), QSize(801, 273));
    QVERIFY(f->findChild<QLabel *>(QStringLiteral("lblTrovate")));
    const QList<QLabel *> etichette = f->findChildren<QLabel *>();
    QCOMPARE(std::count_if(etichette.begin(), etichette.end(), [](const QLabel *l) {
                 return l->text() == QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda");
             }),
             1);

    for (const char *nome : kOrdineInvio) {
        QLineEdit *c = campo(f.get(), nome);
        QVERIFY(c);
        QCOMPARE(c->width(), 320);
        QCOMPARE(c->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(c->font().pointSize(), 12);
        QVERIFY(c->font().bold());
        QCOMPARE(c->maxLength(), 32767); // no limit of its own
    }
    QVERIFY(campo(f.get(), "txtTitolo")->hasFocus());
}

void TestTrovaPagine::aloniEInvio()
{
    const Testi aloni{
        {"txtTitolo", "effCampo01"}, {"txtCodice", "effCampo02"}, {"txtGiudizio", "effCampo03"},
        {"txtNote", "effCampo04"}, {"txtPagNum", "effCampo05"}, {"txtDescrizione", "effCampo06"},
        {"txtIncipit", "effCampo07"}, {"txtParole", "effCampo08"}, {"txtAutore", "effCampo09"},
        {"txtTipologia", "effCampo10"}};
    auto f = apri();
    QTRY_VERIFY(campo(f.get(), "txtTitolo")->hasFocus());
    for (int i = 0; i < 10; ++i) {
        QLineEdit *c = campo(f.get(), kOrdineInvio[i]);
        QLineEdit *dopo = campo(f.get(), kOrdineInvio[(i + 1) % 10]);
        auto *alone = f->findChild<QFrame *>(aloni.value(QString::fromLatin1(kOrdineInvio[i])));
        QVERIFY2(alone, kOrdineInvio[i]);
        QCOMPARE(alone->geometry(), c->geometry().adjusted(-4, -4, 4, 4));
        QVERIFY(c->hasFocus());
        QVERIFY(alone->isVisible());
        QTest::keyClick(c, Qt::Key_Return);
        QVERIFY2(dopo->hasFocus(), kOrdineInvio[i]);
        QVERIFY(!alone->isVisible());
    }
    QVERIFY(f->panAvvio->isVisible()); // Enter never runs the search

    // On the result panel Enter in the find field moves to "Trova" without
    // clicking it: on an empty list a click would say so.
    RegistroMessaggi messaggi;
    QVERIFY(scriviArchivio(m_archivio, {}));
    cercaCon(f.get());
    QVERIFY(f->txtTrova->hasFocus());
    QTest::keyClick(f->txtTrova, Qt::Key_Return);
    QVERIFY(f->btnTrova->hasFocus());
    QVERIFY(messaggi.testi().isEmpty());
}

void TestTrovaPagine::cerca_data()
{
    QTest::addColumn<Testi>("testi");
    QTest::addColumn<QString>("conta");
    QTest::addColumn<QStringList>("titoli");

    const QStringList tutti{"atto notarile", "Contratto", "Lettera", "Registro", "Zibaldone"};
    QTest::newRow("tutti vuoti elencano tutto") << Testi{} << "0" << tutti;
    QTest::newRow("solo spazi non e un criterio")
        << Testi{{"txtTitolo", "   "}, {"txtNote", " "}} << "0" << tutti;
    QTest::newRow("ROSS trova Rossi")
        << Testi{{"txtAutore", "ROSS"}} << "1"
        << QStringList{"Lettera", "Registro", "Zibaldone"};
    QTest::newRow("spazio iniziale fa parte del testo")
        << Testi{{"txtAutore", " rossi"}} << "1" << QStringList{"Zibaldone"};
    QTest::newRow("e accentata non trova E accentata")
        << Testi{{"txtAutore", QStringLiteral("è")}} << "1" << QStringList{};
    QTest::newRow("due criteri in AND")
        << Testi{{"txtAutore", "rossi"}, {"txtDescrizione", "MAPPA"}} << "2"
        << QStringList{"Registro"};
    QTest::newRow("criterio piu spazi vuoti")
        << Testi{{"txtCodice", "-1"}, {"txtGiudizio", "  "}} << "1"
        << QStringList{"Lettera", "Zibaldone"};
    QTest::newRow("numero di pagina") << Testi{{"txtPagNum", "2"}} << "1"
                                      << QStringList{"Contratto", "Zibaldone"};
}

void TestTrovaPagine::cerca()
{
    QFETCH(Testi, testi);
    QFETCH(QString, conta);
    QFETCH(QStringList, titoli);

    auto f = apri();
    cercaCon(f.get(), testi);
    QCOMPARE(f->lblConta->text(), conta);
    QCOMPARE(::titoli(vociLista(f->lstRecords)), titoli);
    QCOMPARE(f->lblTrovate->text(),
             QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(titoli.size()));
}

void TestTrovaPagine::cercaPresentaIRisultati()
{
    auto f = apri();
    f->txtTrova->setText(QStringLiteral("resto"));
    cercaCon(f.get());
    QVERIFY(!f->panAvvio->isVisible());
    QVERIFY(f->panContainer->isVisible());
    QCOMPARE(f->panContainer->geometry().center(), f->rect().center());
    QVERIFY(f->txtTrova->text().isEmpty());
    QVERIFY(f->txtTrova->hasFocus());

    QStringList attese;
    for (const TSchedaPagina &s : archivioDiProva())
        attese.append(RigaRiepilogo(s));
    ordinaRighe(attese);
    QCOMPARE(vociLista(f->lstRecords), attese);

    // Courier New 12, black, items 1600 wide, both scroll bars shown.
    const QModelIndex primo = f->lstRecords->model()->index(0, 0);
    const QFont carattere = primo.data(Qt::FontRole).value<QFont>();
    QCOMPARE(carattere.family(), QStringLiteral("Courier New"));
    QCOMPARE(carattere.pointSize(), 12);
    QCOMPARE(primo.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
    QCOMPARE(f->lstRecords->sizeHintForIndex(primo).width(), 1600);
    QCOMPARE(f->lstRecords->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(f->lstRecords->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(f->lstRecords->horizontalScrollBar()->maximum() > 0);
}

void TestTrovaPagine::cercaArchivioMancante()
{
    QVERIFY(QFile::remove(m_archivio));
    RegistroMessaggi messaggi;
    auto f = apri();
    cercaCon(f.get(), {{"txtTitolo", "x"}});
    QVERIFY(messaggi.testi().isEmpty());
    QVERIFY(QFileInfo::exists(m_archivio));
    QCOMPARE(QFileInfo(m_archivio).size(), 0);
    QVERIFY(f->panContainer->isVisible());
    QVERIFY(vociLista(f->lstRecords).isEmpty());
    QCOMPARE(f->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 0 schede."));
}

void TestTrovaPagine::cercaArchivioInaccessibile()
{
    // A folder where the archive should be cannot be opened as one.
    QVERIFY(QFile::remove(m_archivio));
    QVERIFY(QDir().mkpath(m_archivio));
    RegistroMessaggi messaggi;
    auto f = apri();
    cercaCon(f.get());
    QCOMPARE(messaggi.messaggi().size(), 1);
    QCOMPARE(messaggi.messaggi().first().testo, kMessaggioAccessoArchivio);
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Semplice);
    QVERIFY(f->panAvvio->isVisible());
    QVERIFY(!f->panContainer->isVisible());
    QVERIFY(f->isVisible());
    QVERIFY(QFileInfo(m_archivio).isDir());
}

void TestTrovaPagine::attendereAllaPressione()
{
    auto f = apri();
    QTest::mousePress(f->btnCerca, Qt::LeftButton);
    QVERIFY(f->lblAttendere->isVisible());
    QCOMPARE(f->lblAttendere->text(), QStringLiteral("Ricerca schede in corso. Attendere..."));
    QVERIFY(f->panAvvio->isVisible()); // the search waits for the click
    QTest::mouseRelease(f->btnCerca, Qt::LeftButton);
    QVERIFY(f->panContainer->isVisible());
}

void TestTrovaPagine::trovaListaVuota()
{
    QVERIFY(scriviArchivio(m_archivio, {}));
    RegistroMessaggi messaggi;
    auto f = apri();
    cercaCon(f.get());
    f->txtTrova->setText(QStringLiteral("a"));
    QTest::mouseClick(f->btnTrova, Qt::LeftButton);
    QCOMPARE(messaggi.messaggi().size(), 1);
    QCOMPARE(messaggi.messaggi().first().testo,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Semplice);
}

void TestTrovaPagine::trovaCammina()
{
    RegistroMessaggi messaggi;
    auto f = apri();
    cercaCon(f.get());
    // atto notarile, Contratto, Lettera (Rossi), Registro (Rossi Mario), Zibaldone (Mario Rossi)
    QCOMPARE(f->voceSelezionata(), -1);
    QTest::keyClicks(f->txtTrova, QStringLiteral("ROSSI"));
    QVector<int> percorso;
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(f->btnTrova, Qt::LeftButton);
        percorso.append(f->voceSelezionata());
    }
    QCOMPARE(percorso, (QVector<int>{2, 3, 4, 2}));
    QCOMPARE(f->lstRecords->currentIndex().row(), 2);

    // A text nowhere in the list leaves the selection where it is.
    f->txtTrova->setText(QStringLiteral("nessuno"));
    QTest::mouseClick(f->btnTrova, Qt::LeftButton);
    QCOMPARE(f->voceSelezionata(), 2);
    // A text found only in the selected entry keeps it selected.
    f->txtTrova->setText(QStringLiteral("l-1"));
    QTest::mouseClick(f->btnTrova, Qt::LeftButton);
    QTest::mouseClick(f->btnTrova, Qt::LeftButton);
    QCOMPARE(f->voceSelezionata(), 2);
    QVERIFY(messaggi.testi().isEmpty());
}

void TestTrovaPagine::ultimoTrovaAzzeratoAllApertura()
{
    // "Lettera" and "Registro" both hold "er"; so does no other title before them.
    auto prima = apri();
    cercaCon(prima.get(), {{"txtAutore", "rossi"}});
    QCOMPARE(titoli(vociLista(prima->lstRecords)), (QStringList{"Lettera", "Registro", "Zibaldone"}));
    prima->txtTrova->setText(QStringLiteral("er"));
    QTest::mouseClick(prima->btnTrova, Qt::LeftButton);
    QCOMPARE(prima->voceSelezionata(), 0);
    prima.reset();

    // The next window starts a new walk with the same text: the first entry
    // is tested at once instead of being stepped over.
    auto seconda = apri();
    cercaCon(seconda.get(), {{"txtAutore", "rossi"}});
    seconda->txtTrova->setText(QStringLiteral("er"));
    QTest::mouseClick(seconda->btnTrova, Qt::LeftButton);
    QCOMPARE(seconda->voceSelezionata(), 0);
}

// The editor's picture as it is drawn: the test does not rely on the kind of
// widget that shows it.
QColor coloreAlCentro(QWidget *w)
{
    if (auto *vista = qobject_cast<VistaImmagine *>(w)) {
        const QImage &img = vista->immagine();
        return img.isNull() ? QColor() : img.pixelColor(img.width() / 2, img.height() / 2);
    }
    const QImage img = w->grab().toImage();
    return img.pixelColor(img.width() / 2, img.height() / 2);
}

void TestTrovaPagine::doppioClicScriveLEditore()
{
    TfrmDocumenti *editore = frmDocumenti();
    auto *txtTitolo = editore->findChild<QLineEdit *>(QStringLiteral("txtTitolo"));
    auto *chk = editore->findChild<QCheckBox *>(QStringLiteral("chkDaCompletare"));
    auto *imgFoto = editore->findChild<QWidget *>(QStringLiteral("imgFoto"));
    if (!txtTitolo || !chk || !imgFoto)
        QSKIP("the editor shows no record fields yet");

    // Two records with the same line: the first flagged, the second with a
    // flag of neither value, each with its own notes, attachment and scan.
    QVector<TSchedaPagina> schede = archivioDiProva();
    TSchedaPagina prima = schedaDiProva("Carteggio", "Neri", "K-1", "9", QByteArray("\x02S\xEC", 3));
    impostaCampo(prima, Campo::Note, QStringLiteral("prima copia"));
    impostaCampo(prima, Campo::File01, QStringLiteral("uno.pdf"));
    TSchedaPagina seconda = schedaDiProva("Carteggio", "Neri", "K-1", "9", QByteArray(3, '\0'));
    impostaCampo(seconda, Campo::Note, QStringLiteral("  seconda copia "));
    impostaCampo(seconda, Campo::Creazione, QStringLiteral("01/02/1850"));
    impostaCampo(seconda, Campo::Desc03, QStringLiteral("sigillo"));
    schede << prima << seconda; // positions 6 and 7
    QVERIFY(scriviArchivio(m_archivio, schede));
    QImage rossa(40, 60, QImage::Format_RGB32);
    rossa.fill(Qt::red);
    QVERIFY(QDir().mkpath(m_programma->percorso(QStringLiteral("Pagine_Documenti"))));
    QVERIFY(rossa.save(m_programma->percorso(QStringLiteral("Pagine_Documenti/Prova_Foto_7.jpg")), "JPG"));

    chk->setChecked(false);
    txtTitolo->setText(QStringLiteral("testo non salvato"));
    auto f = apri();
    cercaCon(f.get(), {{"txtAutore", "neri"}});
    QCOMPARE(vociLista(f->lstRecords).size(), 2);
    doppioClicVoce(f->lstRecords, 0);
    QVERIFY(!f->isVisible());

    const auto testo = [editore](const char *nome) {
        auto *c = editore->findChild<QLineEdit *>(QString::fromLatin1(nome));
        return c ? c->text() : QStringLiteral("<manca %1>").arg(QString::fromLatin1(nome));
    };
    QCOMPARE(posizioneMostrata(editore), QStringLiteral("7"));
    QCOMPARE(testo("txtTitolo"), QStringLiteral("Carteggio"));
    QCOMPARE(testo("txtAutore"), QStringLiteral("Neri"));
    QCOMPARE(testo("txtCodice"), QStringLiteral("K-1"));
    QCOMPARE(testo("txtPagNum"), QStringLiteral("9"));
    QCOMPARE(testo("txtCreazione"), QStringLiteral("01/02/1850"));
    QCOMPARE(testo("txtNote"), QStringLiteral("seconda copia"));
    QCOMPARE(testo("txtDescrizione"), QString());
    // The record's flag is neither value: the box keeps what it showed.
    QVERIFY(!chk->isChecked());
    QCOMPARE(editore->allegati().nomi[0], QString());
    QCOMPARE(editore->allegati().descrizioni[2], QStringLiteral("sigillo"));
    const QColor centro = coloreAlCentro(imgFoto);
    QVERIFY2(centro.red() > 200 && centro.green() < 60 && centro.blue() < 60, qPrintable(centro.name()));
}

void TestTrovaPagine::doppioClicRigaTagliata()
{
    const QString settanta = QStringLiteral("Relazione sullo stato dei fondi archivistici della parrocchia di Lucca");
    QCOMPARE(settanta.size(), 70);
    QVector<TSchedaPagina> schede = archivioDiProva();
    schede.append(schedaDiProva(settanta, "Neri", "N-3", "40"));
    QVERIFY(scriviArchivio(m_archivio, schede));

    auto f = apri();
    cercaCon(f.get(), {{"txtTitolo", "relazione"}});
    const QStringList voci = vociLista(f->lstRecords);
    QCOMPARE(voci.size(), 1);
    QCOMPARE(voci.first().left(55), settanta.left(55));
    QVERIFY(!voci.first().contains(settanta));
    doppioClicVoce(f->lstRecords, 0);
    QVERIFY(!f->isVisible());
    QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("6"));
}

void TestTrovaPagine::doppioClicRigheUguali()
{
    QVector<TSchedaPagina> schede = archivioDiProva();
    TSchedaPagina doppia = schede.at(3); // Contratto, position 4
    impostaCampo(doppia, Campo::Note, QStringLiteral("copia"));
    schede.append(doppia); // position 6: the same line
    QVERIFY(scriviArchivio(m_archivio, schede));

    for (int voce : {1, 2}) {
        frmDocumenti()->PulisciScheda();
        auto f = apri();
        cercaCon(f.get());
        const QStringList voci = vociLista(f->lstRecords);
        QCOMPARE(voci.at(1), voci.at(2));
        doppioClicVoce(f->lstRecords, voce);
        QVERIFY(!f->isVisible());
        QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("6"));
    }
}

void TestTrovaPagine::doppioClicSenzaMarca()
{
    auto f = apri(false);
    cercaCon(f.get());
    frmDocumenti()->MostraScheda(schedaVuota(), 99);
    doppioClicVoce(f->lstRecords, 0);
    QVERIFY(!f->isVisible());
    QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("99"));

    auto g = apri(false);
    g->lblMemory->setText(QStringLiteral("altro"));
    cercaCon(g.get());
    doppioClicVoce(g->lstRecords, 0);
    QVERIFY(!g->isVisible());
    QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("99"));
}

void TestTrovaPagine::doppioClicSenzaSelezione()
{
    RegistroMessaggi messaggi;
    auto f = apri();
    cercaCon(f.get(), {{"txtTitolo", "lettera"}});
    QCOMPARE(f->voceSelezionata(), -1);
    frmDocumenti()->MostraScheda(schedaVuota(), 99);
    doppioClicVoce(f->lstRecords, -1);
    QVERIFY(!f->isVisible());
    QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("99"));
    QVERIFY(messaggi.testi().isEmpty());
}

void TestTrovaPagine::doppioClicArchivioSparito()
{
    RegistroMessaggi messaggi;
    auto f = apri();
    cercaCon(f.get());
    QVERIFY(QFile::remove(m_archivio));
    QVERIFY(QDir().mkpath(m_archivio));
    frmDocumenti()->MostraScheda(schedaVuota(), 99);
    doppioClicVoce(f->lstRecords, 0);
    QVERIFY(!f->isVisible());
    QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("99"));
    QVERIFY(messaggi.testi().isEmpty());
}

// As the editor's search command does it: a fresh window owned by the
// editor, the caller mark, modal, discarded after.
void TestTrovaPagine::aperturaDallEditore()
{
    bool eseguito = false;
    QPointer<TfrmTrovaPagine> aperta;
    allaProssimaModale([&](QWidget *m) {
        auto *f = qobject_cast<TfrmTrovaPagine *>(m);
        QVERIFY(f);
        aperta = f;
        eseguito = true;
        QCOMPARE(f->parentWidget(), static_cast<QWidget *>(frmDocumenti()));
        QVERIFY(f->panAvvio->isVisible());
        QTRY_VERIFY(campo(f, "txtTitolo")->hasFocus());
        QTest::keyClicks(campo(f, "txtAutore"), QStringLiteral("verdi"));
        QTest::mouseClick(f->btnCerca, Qt::LeftButton);
        QCOMPARE(titoli(vociLista(f->lstRecords)), QStringList{"Contratto"});
        doppioClicVoce(f->lstRecords, 0);
    });
    clicca(frmDocumenti()->findChild<QWidget *>(QStringLiteral("cmdTrova")));
    QVERIFY(!modaleMancata());
    QVERIFY(eseguito);
    QVERIFY(aperta.isNull());
    QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("4"));
}

// The same on an archive the user may only read: the search lists it and
// the line opens its record in the editor, with no message, the file as it
// was.
void TestTrovaPagine::aperturaDallEditoreSolaLettura()
{
    const QByteArray prima = leggiFile(m_archivio);
    const QByteArray nome = QFile::encodeName(m_archivio);
    const auto ripristina = qScopeGuard([&] { ::chmod(nome.constData(), 0644); });
    QCOMPARE(::chmod(nome.constData(), 0444), 0);
    PermessiDaUtente utente;
    QVERIFY(utente.attivi());

    RegistroMessaggi messaggi;
    bool eseguito = false;
    allaProssimaModale([&](QWidget *m) {
        auto *f = qobject_cast<TfrmTrovaPagine *>(m);
        QVERIFY(f);
        eseguito = true;
        QTest::keyClicks(campo(f, "txtAutore"), QStringLiteral("verdi"));
        QTest::mouseClick(f->btnCerca, Qt::LeftButton);
        QCOMPARE(titoli(vociLista(f->lstRecords)), QStringList{"Contratto"});
        doppioClicVoce(f->lstRecords, 0);
    });
    clicca(frmDocumenti()->findChild<QWidget *>(QStringLiteral("cmdTrova")));
    QVERIFY(!modaleMancata());
    QVERIFY(eseguito);
    QVERIFY(messaggi.testi().isEmpty());
    QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("4"));
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("Contratto"));
    QCOMPARE(leggiFile(m_archivio), prima);
}

QTEST_MAIN(TestTrovaPagine)
#include "tst_trovapagine.moc"
