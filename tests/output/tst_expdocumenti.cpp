#include "app/vistaimmagine.h"
#include "editor/frmdocumenti.h"
#include "home/frmguida.h"
#include "output/fileesportazione.h"
#include "output/frmexpdocumenti.h"
#include "output/modelloesportazione.h"
#include "startup/finestre.h"
#include "storage/archiviopagine.h"

#include "support/avanzamento_supporto.h"
#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/permessi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>

#include <memory>

#include <sys/stat.h>

namespace {

// The opening of a data cell: text-format markup for both spreadsheet programs.
const QByteArray kCella = "<td style=\"text-align: left; mso-number-format:\\@;\" sdnum=\"1040;1040;@\">";

const QString kDomandaEsporta = QStringLiteral(
    "L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del numero di schede presenti "
    "in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kDomandaApri = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kFallita = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia gi\u00E0 "
    "aperto.");

QVector<TSchedaPagina> archivioDiProva()
{
    TSchedaPagina prima = schedaDiProva(QStringLiteral("Lettera da Citt\u00E0"), QStringLiteral("Ren\u00E9"),
                                        QStringLiteral("L-1"), QStringLiteral("1"), QByteArray("\x02S\xEC", 3));
    impostaCampo(prima, Campo::Note, QStringLiteral("a<b & c"));
    return {prima,
            schedaDiProva(QStringLiteral("Atto"), QStringLiteral("Notaio"), QStringLiteral("A-2"),
                          QStringLiteral("2")),
            schedaDiProva(QStringLiteral("Mappa"), QStringLiteral("Anonimo"), QStringLiteral("M-3"),
                          QStringLiteral("3"))};
}

// The text of a cell as the grid draws it.
QString cella(const TfrmExpDocumenti &f, int riga, int colonna)
{
    return f.grdRecords->model()->index(riga, colonna).data().toString();
}

// Types into the grid's current cell as a user does: the first key opens
// the cell editor, which takes the focus and the keys that follow.
void digita(QTableView *griglia, const QString &testo)
{
    QTest::keyClicks(griglia, testo.left(1));
    QTest::keyClicks(QApplication::focusWidget(), testo.mid(1));
}

} // namespace

class TestExpDocumenti : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aspetto();
    void colonne_data();
    void colonne();
    void suggerimenti_data();
    void suggerimenti();
    void grigliaDallArchivioDellEditore();
    void archivioVuoto();
    void esportazione_data();
    void esportazione();
    void cellaDigitataSoloNelFile();
    void esportazioneRifiutata_data();
    void esportazioneRifiutata();
    void esportazioneAnnullata_data();
    void esportazioneAnnullata();
    void archivioNonScrivibile_data();
    void archivioNonScrivibile();
    void guidaSopraLaFinestra();
    void apertaDallEditoreEChiusa();

private:
    std::unique_ptr<TfrmExpDocumenti> apri();
    QString fileEsportato() const { return m_programma->percorso(kFileEsportazione); }

    std::unique_ptr<ProgrammaDiProva> m_programma;
    QString m_archivio;
};

void TestExpDocumenti::init()
{
    m_programma = std::make_unique<ProgrammaDiProva>();
    m_archivio = m_programma->percorso(QStringLiteral("Prova.kpx"));
    QVERIFY(scriviArchivio(m_archivio, archivioDiProva()));
    apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
}

void TestExpDocumenti::cleanup()
{
    chiudiModali();
    azzeraModaleMancata();
    m_programma.reset();
}

std::unique_ptr<TfrmExpDocumenti> TestExpDocumenti::apri()
{
    auto f = std::make_unique<TfrmExpDocumenti>(contestoDiProva(), frmDocumenti());
    f->impostaArchivio(frmDocumenti()->percorsoArchivio());
    f->show();
    QApplication::setActiveWindow(f.get());
    return f;
}

void TestExpDocumenti::aspetto()
{
    auto f = apri();
    QCOMPARE(f->windowTitle(), QStringLiteral(" Esporta archivio pagine documento in Excel"));
    QCOMPARE(f->size(), QSize(862, 560));
    QCOMPARE(f->minimumSize(), f->maximumSize());
    QVERIFY(!(f->windowFlags() & Qt::WindowCloseButtonHint));
    auto *pannello = f->findChild<QWidget *>(QStringLiteral("panContainer"));
    QCOMPARE(pannello->size(), QSize(837, 533));
    QCOMPARE(pannello->geometry().center(), f->rect().center());

    QCOMPARE(f->grdRecords->size(), QSize(821, 409));
    QCOMPARE(f->grdRecords->rowHeight(0), 21);
    QCOMPARE(f->grdRecords->rowHeight(2), 21);
    QVERIFY(f->grdRecords->alternatingRowColors());
    QCOMPARE(f->panInfo->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
    QCOMPARE(f->panInfo->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(f->panInfo->font().pointSize(), 12);
    for (QWidget *comando : {static_cast<QWidget *>(f->cmdEsporta), static_cast<QWidget *>(f->cmdGuida),
                             static_cast<QWidget *>(f->cmdEsci)})
        QCOMPARE(comando->cursor().shape(), Qt::PointingHandCursor);
    // Everything stands inside the panel and inside the window.
    for (const QWidget *w : pannello->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        QVERIFY2(pannello->rect().contains(w->geometry()), qPrintable(w->objectName()));
}

void TestExpDocumenti::colonne_data()
{
    QTest::addColumn<int>("colonna");
    QTest::addColumn<QString>("intestazione");
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<bool>("modificabile");
    QTest::addColumn<QString>("valore");
    const struct {
        const char *intestazione;
        int larghezza;
        bool modificabile;
        const char *valore;
    } tabella[] = {
        {"N.", 60, false, "1"}, {"Titolo pagina", 300, false, "Lettera da Citt\u00E0"},
        {"Codice univoco", 180, true, "L-1"}, {"Autore", 220, false, "Ren\u00E9"},
        {"Data creazione", 160, false, ""}, {"Ultima modifica", 160, false, ""},
        {"Tipologia", 220, false, ""}, {"Pagina n.", 160, false, "1"},
        {"Numero righe", 160, true, ""}, {"Carta", 220, false, ""},
        {"Carattere", 220, false, ""}, {"Lingua", 220, false, ""},
        {"Descrizione pagina", 350, true, ""}, {"Incipit pagina", 350, true, ""},
        {"Parole chiave", 350, true, ""}, {"Illustrazioni", 350, true, ""},
        {"Annotazioni a penna", 350, true, ""}, {"Formato", 200, true, ""},
        {"Stato conservazione", 200, true, ""}, {"Collocazione", 250, true, ""},
        {"Giudizio", 300, true, ""}, {"Note", 350, true, "a<b & c"},
        {"Da completare", 120, true, "S\u00EC"},
    };
    int c = 0;
    for (const auto &t : tabella) {
        QTest::newRow(t.intestazione) << c++ << QString::fromUtf8(t.intestazione) << t.larghezza << t.modificabile
                                      << QString::fromUtf8(t.valore);
    }
}

void TestExpDocumenti::colonne()
{
    QFETCH(int, colonna);
    QFETCH(QString, intestazione);
    QFETCH(int, larghezza);
    QFETCH(bool, modificabile);
    QFETCH(QString, valore);
    auto f = apri();
    QAbstractItemModel *m = f->grdRecords->model();
    QCOMPARE(m->columnCount(), 23);
    QCOMPARE(m->headerData(colonna, Qt::Horizontal).toString(), intestazione);
    QCOMPARE(f->grdRecords->columnWidth(colonna), larghezza);
    QCOMPARE(cella(*f, 0, colonna), valore);

    // Typing in the cell: only the editable columns take it.
    const QModelIndex indice = m->index(1, colonna);
    f->grdRecords->scrollTo(indice);
    f->grdRecords->setCurrentIndex(indice);
    f->grdRecords->setFocus();
    const QString prima = cella(*f, 1, colonna);
    digita(f->grdRecords, QStringLiteral("zq"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(cella(*f, 1, colonna), modificabile ? QStringLiteral("zq") : prima);
}

void TestExpDocumenti::suggerimenti_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("sfondo");
    QTest::newRow("esporta, poi la finestra") << "cmdEsporta" << "Esporta l'archivio in formato Microsoft Excel."
                                               << "frmExpDocumenti";
    QTest::newRow("guida, poi il pannello") << "cmdGuida"
                                            << "Visualizza la pagina della guida sensibile al contesto."
                                            << "panContainer";
    QTest::newRow("esci, poi la fascia") << "cmdEsci" << "Esci da questo ambiente di lavoro." << "shpSfondo";
    QTest::newRow("esporta, poi la barra") << "cmdEsporta" << "Esporta l'archivio in formato Microsoft Excel."
                                            << "shpInfo";
    QTest::newRow("guida, poi la griglia") << "cmdGuida"
                                           << "Visualizza la pagina della guida sensibile al contesto."
                                           << "grdRecords";
}

void TestExpDocumenti::suggerimenti()
{
    QFETCH(QString, comando);
    QFETCH(QString, testo);
    QFETCH(QString, sfondo);
    auto f = apri();
    muoviPuntatore(f->findChild<QWidget *>(comando));
    QCOMPARE(f->panInfo->text(), testo);
    QWidget *s = sfondo == f->objectName() ? f.get() : f->findChild<QWidget *>(sfondo);
    QVERIFY(s);
    if (s == f->grdRecords) {
        muoviPuntatore(f->grdRecords->viewport());
    } else {
        // A point of the element that no child covers.
        muoviPuntatore(s, QPoint(2, s->height() - 3));
    }
    QCOMPARE(f->panInfo->text(), QString());
}

void TestExpDocumenti::grigliaDallArchivioDellEditore()
{
    // The archive of the editor, whatever other archives lie beside it.
    QVERIFY(scriviArchivio(m_programma->percorso(QStringLiteral("Altro.kpx")), schedeNumerate(9)));
    auto f = apri();
    QCOMPARE(f->grdRecords->model()->rowCount(), 3);
    QCOMPARE(cella(*f, 2, 0), QStringLiteral("3"));
    QCOMPARE(cella(*f, 2, 1), QStringLiteral("Mappa"));
    QCOMPARE(cella(*f, 1, 22), QStringLiteral("No"));
}

void TestExpDocumenti::archivioVuoto()
{
    QFile::remove(m_archivio);
    RegistroMessaggi messaggi;
    auto f = apri();
    QCOMPARE(f->grdRecords->model()->rowCount(), 0);
    // A missing archive is created empty, as every archive command does.
    QVERIFY(QFile::exists(m_archivio));
    messaggi.rispondi(mrSi);
    messaggi.rispondi(mrNo);
    clicca(f->cmdEsporta);
    const QByteArray file = leggiFile(fileEsportato());
    QVERIFY(file.endsWith("Da completare</td></tr></table></body></html>"));
    QCOMPARE(file.count("<tr>"), 1);
}

void TestExpDocumenti::esportazione_data()
{
    QTest::addColumn<QList<int>>("risposte");
    QTest::addColumn<QStringList>("domande");
    QTest::addColumn<bool>("scritto");
    QTest::addColumn<bool>("aperto");
    QTest::newRow("si e si") << QList<int>{mrSi, mrSi} << QStringList{kDomandaEsporta, kDomandaApri} << true << true;
    QTest::newRow("si e no") << QList<int>{mrSi, mrNo} << QStringList{kDomandaEsporta, kDomandaApri} << true
                             << false;
    QTest::newRow("no") << QList<int>{mrNo} << QStringList{kDomandaEsporta} << false << false;
}

void TestExpDocumenti::esportazione()
{
    QFETCH(QList<int>, risposte);
    QFETCH(QStringList, domande);
    QFETCH(bool, scritto);
    QFETCH(bool, aperto);
    RegistroMessaggi messaggi;
    RegistroAperture aperture;
    for (int r : risposte)
        messaggi.rispondi(r);
    auto f = apri();
    clicca(f->cmdEsporta);

    QCOMPARE(messaggi.testi(), domande);
    for (const RichiestaMessaggio &m : messaggi.messaggi()) {
        QCOMPARE(m.tipo, TipoMessaggio::Conferma);
        QCOMPARE(m.pulsanti, PulsantiMessaggio::SiNo);
    }
    QCOMPARE(QFile::exists(fileEsportato()), scritto);
    if (scritto) {
        const QByteArray file = leggiFile(fileEsportato());
        QCOMPARE(file.count("<tr>"), 4);
        QVERIFY(file.contains(kCella + "Lettera da Citt\xE0</td>"));
        QVERIFY(file.contains(kCella + "a&lt;b &amp; c</td>"));
    }
    QCOMPARE(aperture.aperture(), aperto ? QList<QUrl>{QUrl::fromLocalFile(fileEsportato())} : QList<QUrl>());
    QVERIFY(f->isVisible());
    QCOMPARE(contenutoCartella(m_programma->cartella()).filter(QStringLiteral(".xls")),
             scritto ? QStringList{kFileEsportazione} : QStringList());
}

void TestExpDocumenti::cellaDigitataSoloNelFile()
{
    const QByteArray archivioPrima = leggiFile(m_archivio);
    RegistroMessaggi messaggi;
    {
        auto f = apri();
        const QModelIndex note = f->grdRecords->model()->index(1, 21);
        f->grdRecords->setCurrentIndex(note);
        f->grdRecords->setFocus();
        // Typed and left in the cell editor: the export takes it as it stands.
        digita(f->grdRecords, QStringLiteral("R&D <nuova>"));
        messaggi.rispondi(mrSi);
        messaggi.rispondi(mrNo);
        clicca(f->cmdEsporta);
        QVERIFY(leggiFile(fileEsportato()).contains(kCella + "R&amp;D &lt;nuova&gt;</td>"));
        QCOMPARE(cella(*f, 1, 21), QStringLiteral("R&D <nuova>"));
    }
    QCOMPARE(leggiFile(m_archivio), archivioPrima);
    auto riaperta = apri();
    QCOMPARE(cella(*riaperta, 1, 21), QString());
    QCOMPARE(cella(*riaperta, 0, 21), QStringLiteral("a<b & c"));
}

void TestExpDocumenti::esportazioneRifiutata_data()
{
    QTest::addColumn<bool>("bloccato");
    QTest::newRow("aperto nel foglio di calcolo") << true;
    QTest::newRow("non sostituibile") << false;
}

void TestExpDocumenti::esportazioneRifiutata()
{
    QFETCH(bool, bloccato);
    const QByteArray vecchio = "esportazione precedente";
    const QString dentro = fileEsportato() + QStringLiteral("/vecchio.txt");
    if (bloccato) {
        QVERIFY(scriviFile(fileEsportato(), vecchio));
        QVERIFY(scriviFile(m_programma->percorso(QStringLiteral(".~lock.Pagine_Documento.xls#")), "u;h;1;"));
    } else {
        // A folder in the file's place cannot be replaced by a file.
        QVERIFY(scriviFile(dentro, vecchio));
    }
    RegistroMessaggi messaggi;
    RegistroAperture aperture;
    auto f = apri();
    clicca(f->cmdEsporta);

    QCOMPARE(messaggi.testi(), (QStringList{kDomandaEsporta, kFallita}));
    QCOMPARE(messaggi.messaggi().last().tipo, TipoMessaggio::Semplice);
    QCOMPARE(leggiFile(bloccato ? fileEsportato() : dentro), vecchio);
    QVERIFY(aperture.aperture().isEmpty());
    QVERIFY(f->isVisible());
}

void TestExpDocumenti::esportazioneAnnullata_data()
{
    QTest::addColumn<bool>("precedente");
    QTest::newRow("over an earlier export") << true;
    QTest::newRow("no earlier export") << false;
}

// A long export shows the toolkit's progress window with "Annulla"; choosing
// it leaves the earlier file byte for byte, or none, and nothing beside it.
void TestExpDocumenti::esportazioneAnnullata()
{
    QFETCH(bool, precedente);
    const QByteArray vecchio = "esportazione precedente";
    if (precedente)
        QVERIFY(scriviFile(fileEsportato(), vecchio));
    const QStringList primaDi = QDir(m_programma->cartella()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    RegistroMessaggi messaggi;
    RegistroAperture aperture;
    auto f = apri();
    AnnullaAvanzamento annulla;
    clicca(f->cmdEsporta);

    QCOMPARE(annulla.comparse(), 1);
    QVERIFY(annulla.modale());
    QCOMPARE(annulla.pulsante(), QStringLiteral("Annulla"));
    QCOMPARE(annulla.titolo(), QStringLiteral(" Esportazione in corso"));
    QVERIFY2(annulla.testo().startsWith(QStringLiteral("Esportazione delle schede in Excel: ")),
             qPrintable(annulla.testo()));
    // Only the first question: no success, no failure, nothing opened.
    QCOMPARE(messaggi.testi(), QStringList{kDomandaEsporta});
    QVERIFY(aperture.aperture().isEmpty());
    if (precedente)
        QCOMPARE(leggiFile(fileEsportato()), vecchio);
    else
        QVERIFY(!QFileInfo::exists(fileEsportato()));
    QCOMPARE(QDir(m_programma->cartella()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), primaDi);
    QVERIFY(f->isVisible());
    QVERIFY(!QApplication::overrideCursor());
}

void TestExpDocumenti::archivioNonScrivibile_data()
{
    QTest::addColumn<QString>("modo");      // of the archive while the window opens
    QTest::addColumn<QString>("poi");       // and while it exports
    QTest::addColumn<int>("righe");         // in the grid
    QTest::addColumn<bool>("esportato");

    QTest::newRow("sola lettura") << QStringLiteral("0444") << QStringLiteral("0444") << 3 << true;
    QTest::newRow("illeggibile") << QStringLiteral("0000") << QStringLiteral("0000") << 0 << false;
    QTest::newRow("illeggibile all'apertura, poi leggibile") << QStringLiteral("0000") << QStringLiteral("0444") << 0
                                                             << false;
    QTest::newRow("diventato illeggibile") << QStringLiteral("0444") << QStringLiteral("0000") << 3 << false;
}

// An archive the user may read but not write (another user's, say) is read
// for the export; one that cannot be read is a failed export, said so, and
// the previous export stays whole instead of a table without rows.
void TestExpDocumenti::archivioNonScrivibile()
{
    QFETCH(QString, modo);
    QFETCH(QString, poi);
    QFETCH(int, righe);
    QFETCH(bool, esportato);

    const QByteArray precedente = "esportazione precedente";
    QVERIFY(scriviFile(fileEsportato(), precedente));
    const QByteArray archivioPrima = leggiFile(m_archivio);
    const QByteArray nome = QFile::encodeName(m_archivio);
    const auto ripristina = qScopeGuard([&] { ::chmod(nome.constData(), 0644); });
    QCOMPARE(::chmod(nome.constData(), mode_t(modo.toUInt(nullptr, 8))), 0);

    PermessiDaUtente utente;
    QVERIFY(utente.attivi());
    RegistroMessaggi messaggi;
    messaggi.rispondi(mrSi);
    messaggi.rispondi(mrNo);
    auto f = apri();
    QCOMPARE(f->grdRecords->model()->rowCount(), righe);
    QCOMPARE(::chmod(nome.constData(), mode_t(poi.toUInt(nullptr, 8))), 0);
    clicca(f->cmdEsporta);

    QCOMPARE(messaggi.testi(),
             (QStringList{kDomandaEsporta, esportato ? kDomandaApri : kMessaggioAccessoArchivio}));
    if (esportato) {
        QCOMPARE(leggiFile(fileEsportato()).count("<tr>"), 4);
    } else {
        QCOMPARE(messaggi.messaggi().last().tipo, TipoMessaggio::Semplice);
        QCOMPARE(leggiFile(fileEsportato()), precedente);
    }
    QCOMPARE(contenutoCartella(m_programma->cartella()).filter(QStringLiteral(".xls")),
             QStringList{kFileEsportazione});
    ::chmod(nome.constData(), 0644);
    QCOMPARE(leggiFile(m_archivio), archivioPrima);
}

void TestExpDocumenti::guidaSopraLaFinestra()
{
    auto f = apri();
    QString titolo;
    QString testo;
    QWidget *sotto = nullptr;
    allaProssimaModale([&](QWidget *m) {
        if (auto *guida = qobject_cast<TfrmGuida *>(m)) {
            titolo = guida->lblTitolo->text();
            testo = guida->testo();
        }
        sotto = m->parentWidget();
        clicca(m->findChild<QWidget *>(QStringLiteral("btnChiudi")));
    });
    clicca(f->cmdGuida);
    QVERIFY(!modaleMancata());
    QCOMPARE(titolo, QStringLiteral("Esportazione archivio pagine documento in Excel"));
    QVERIFY(testo.startsWith(QStringLiteral("Il pulsante Esporta archivio consente di esportare le schede")));
    QCOMPARE(sotto, f.get());
    QCOMPARE(QApplication::activeModalWidget(), f.get());
    QVERIFY(f->isVisible());
}

void TestExpDocumenti::apertaDallEditoreEChiusa()
{
    QString modale;
    int righe = -1;
    allaProssimaModale([&](QWidget *m) {
        auto *f = qobject_cast<TfrmExpDocumenti *>(m);
        QVERIFY(f);
        modale = m->objectName();
        righe = f->grdRecords->model()->rowCount();
        clicca(f->cmdEsci);
    });
    clicca(controlloEditore("cmdEsporta"));
    QVERIFY(!modaleMancata());
    QCOMPARE(modale, QStringLiteral("frmExpDocumenti"));
    QCOMPARE(righe, 3);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(finestreVisibili().contains(QStringLiteral("frmDocumenti")));
    QVERIFY(!finestreVisibili().contains(QStringLiteral("frmExpDocumenti")));
    QVERIFY(!frmDocumenti()->findChild<TfrmExpDocumenti *>());
}

QTEST_MAIN(TestExpDocumenti)
#include "tst_expdocumenti.moc"
