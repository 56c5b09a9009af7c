#include "app/vistaimmagine.h"
#include "editor/campidocumenti.h"
#include "editor/frmallegacartella.h"
#include "editor/frmdocumenti.h"
#include "editor/frmzoom.h"
#include "home/frmavvio.h"
#include "home/frmguida.h"
#include "output/frmanteprimapagina.h"
#include "output/frmexpdocumenti.h"
#include "output/frmslideshow_documenti.h"
#include "output/frmstampapagina.h"
#include "search/frmriepdacompletare.h"
#include "search/frmtrovapagine.h"
#include "startup/finestre.h"

#include "support/documenti_supporto.h"
#include "support/immagini_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <functional>
#include <memory>

namespace {

struct CampoAtteso {
    const char *nome;
    const char *didascalia;
    int lunghezza;
};

// The fields in record order, which is their tab and Enter order too.
const CampoAtteso kCampi[] = {
    {"txtTitolo", "Titolo pagina:", 120},       {"txtCodice", "Codice univoco:", 20},
    {"txtAutore", "Autore:", 50},               {"txtCreazione", "Data creazione:", 30},
    {"txtModifica", "Ultima modifica:", 30},    {"txtTipologia", "Tipologia:", 50},
    {"txtPagNum", "Pagina n.", 20},             {"txtRigheNum", "Numero righe:", 20},
    {"txtCarta", "Carta:", 50},                 {"txtCarattere", "Carattere:", 50},
    {"txtLingua", "Lingua:", 50},               {"txtDescrizione", "Descrizione pagina:", 250},
    {"txtIncipit", "Incipit pagina:", 250},     {"txtParole", "Parole chiave:", 250},
    {"txtIllustrazioni", "Illustrazioni:", 250}, {"txtAnnotazioni", "Annotazioni a penna:", 250},
    {"txtFormato", "Formato:", 50},             {"txtStato", "Stato conservazione:", 50},
    {"txtCollocazione", "Collocazione:", 120},  {"txtGiudizio", "Giudizio:", 250},
    {"txtNote", nullptr, 250},
};

QStringList kSfondi()
{
    QStringList nomi{"panContainer", "shpContainer", "shpSezione01", "shpSfondo", "shpFoto", "imgFoto",
                     "bkgPulsantiFoto", "bkgMancante", "sfoMancante"};
    for (int k = 1; k <= 7; ++k)
        nomi << QStringLiteral("shpControlli%1").arg(k, 2, 10, QLatin1Char('0'));
    return nomi;
}

using Verifica = std::function<void(QWidget *dialogo, TfrmDocumenti *editor)>;

} // namespace

Q_DECLARE_METATYPE(Verifica)

class TestDocumenti : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void statoAllaCreazione();
    void campi_data();
    void campi();
    void oltreLaLunghezzaMassima();
    void ordineInvioETab();
    void suggerimenti_data();
    void suggerimenti();
    void sfondiSvuotanoLaRigaDiStato_data();
    void sfondiSvuotanoLaRigaDiStato();
    void ogniAperturaPulisce();
    void chiusuraTornaAllAvvio_data();
    void chiusuraTornaAllAvvio();
    void comandiApronoLeFinestre_data();
    void comandiApronoLeFinestre();
    void comandiDellaFoto();
    void disposizione();
    void pannelloCentrato();

private:
    void aDimensioneDiProgetto();

    std::unique_ptr<EditoreDiProva> m_programma;
    TfrmDocumenti *m_editor = nullptr;
};

void TestDocumenti::initTestCase()
{
    m_programma = std::make_unique<EditoreDiProva>();
    m_editor = frmDocumenti();
}

void TestDocumenti::cleanupTestCase()
{
    m_programma.reset();
}

// The offscreen screen is smaller than the editor: a maximised window would
// cut the panel, and a pointer over its edge would be off the window.
void TestDocumenti::aDimensioneDiProgetto()
{
    if (m_editor->size() == QSize(1016, 713) && m_editor->isVisible())
        return;
    m_editor->showNormal();
    m_editor->resize(1016, 713);
    QTRY_COMPARE(m_editor->size(), QSize(1016, 713));
}

// Before it is ever shown, as start-up leaves it.
void TestDocumenti::statoAllaCreazione()
{
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(barraStato(m_editor)->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    QCOMPARE(nomeMostrato(m_editor), QStringLiteral("Nome documento"));
    QCOMPARE(casellaDaCompletare(m_editor)->text(), QStringLiteral("Da completare"));
    for (const char *nome : {"lblFile", "lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03",
                             "imgBianco"})
        QVERIFY2(controlloEditore(nome) && controlloEditore(nome)->isHidden(), nome);
    QCOMPARE(fotoEditore(m_editor)->size(), QSize(307, 409));
    QCOMPARE(m_editor->fotoSegnaposto().size(), QSize(307, 409));
    QVERIFY(!m_editor->fotoSegnaposto().hasAlphaChannel());
}

void TestDocumenti::campi_data()
{
    QTest::addColumn<int>("k");
    for (int k = 0; k < kCampiDescrittivi; ++k)
        QTest::newRow(kCampi[k].nome) << k;
}

void TestDocumenti::campi()
{
    QFETCH(int, k);
    const CampoAtteso &atteso = kCampi[k];
    QLineEdit *campo = campoEditore(atteso.nome);
    QVERIFY(campo);
    QCOMPARE(m_editor->campo(Campo(k)), campo);
    QCOMPARE(campo->maxLength(), atteso.lunghezza);
    QCOMPARE(campo->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(campo->font().pointSize(), 12);
    QVERIFY(campo->font().bold());

    // The caption sits right above its field.
    QWidget *didascalia = controlloEditore(atteso.didascalia ? qPrintable(nomeDidascalia(k)) : "imgNote");
    QVERIFY(didascalia);
    if (atteso.didascalia) {
        QCOMPARE(qobject_cast<QLabel *>(didascalia)->text(), QString::fromUtf8(atteso.didascalia));
        QVERIFY(didascalia->geometry().bottom() < campo->geometry().top());
        QVERIFY(campo->geometry().top() - didascalia->geometry().bottom() <= 4);
        QCOMPARE(didascalia->x(), campo->x());
    } else {
        QVERIFY(didascalia->geometry().right() < campo->geometry().left());
        QVERIFY(qAbs(didascalia->geometry().center().y() - campo->geometry().center().y()) <= 3);
    }
}

void TestDocumenti::oltreLaLunghezzaMassima()
{
    apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    QLineEdit *titolo = campoEditore("txtTitolo");
    QTest::keyClicks(titolo, QString(121, QLatin1Char('a')));
    QCOMPARE(titolo->text(), QString(120, QLatin1Char('a')));
    QLineEdit *codice = campoEditore("txtCodice");
    QTest::keyClicks(codice, QStringLiteral("12345678901234567890X"));
    QCOMPARE(codice->text(), QStringLiteral("12345678901234567890"));
}

void TestDocumenti::ordineInvioETab()
{
    apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    RegistroMessaggi messaggi;
    // Enter walks the fields in record order and leads from the notes back to
    // the title, never to the check box; it saves nothing.
    QVERIFY(campoEditore("txtTitolo")->hasFocus());
    for (int k = 1; k <= kCampiDescrittivi; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const char *atteso = kCampi[k % kCampiDescrittivi].nome;
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(atteso));
    }
    QVERIFY(messaggi.testi().isEmpty());

    // Tab follows the same order and then reaches the check box.
    for (int k = 1; k < kCampiDescrittivi; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(kCampi[k].nome));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(casellaDaCompletare(m_editor)));
}

void TestDocumenti::suggerimenti_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("testo");

    const char *righe[][2] = {
        {"cmdNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
        {"cmdDuplica", "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."},
        {"cmdSalva", "Salva la scheda in archivio."},
        {"cmdTrova", "Trova una scheda in archivio."},
        {"cmdFile", "Allega file alla scheda."},
        {"cmdAnteprima", "Visualizza l'anteprima di stampa della scheda."},
        {"cmdStampa", "Stampa la scheda."},
        {"cmdPrimo", "Visualizza la prima scheda in archivio."},
        {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
        {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
        {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
        {"cmdDaCompletare", "Visualizza l'elenco delle pagine del documento da completare."},
        {"cmdEsporta", "Esporta le schede in archivio in un file di Excel."},
        {"cmdSlideshow", "Esegui lo slide show delle pagine scansionate del documento."},
        {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
        {"cmdEsci", "Esci da questa schermata di lavoro."},
        {"btnCaricaFoto", "Carica una foto esistente."},
        {"btnSalvaFoto", "Salva la foto su disco."},
        {"btnCancFoto", "Cancella la foto."},
        {"btnZoomFoto", "Visualizza la foto nelle sue dimensioni reali."},
        {"chkDaCompletare",
         "Spunta questa casella per indicare che la pagina del documento deve essere ancora completata."},
    };
    for (const auto &r : righe)
        QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromUtf8(r[1]);
}

void TestDocumenti::suggerimenti()
{
    QFETCH(QString, comando);
    QFETCH(QString, testo);
    aDimensioneDiProgetto();
    QWidget *w = m_editor->findChild<QWidget *>(comando);
    QVERIFY(w);
    QCOMPARE(w->cursor().shape(), Qt::PointingHandCursor);
    barraStato(m_editor)->setText(QStringLiteral("prima"));
    muoviPuntatore(w);
    QCOMPARE(barraStato(m_editor)->text(), testo);
    // Text fields and captions have no hint: the last one stays.
    muoviPuntatore(campoEditore("txtAutore"));
    muoviPuntatore(controlloEditore("lblCampo001"));
    QCOMPARE(barraStato(m_editor)->text(), testo);
}

void TestDocumenti::sfondiSvuotanoLaRigaDiStato_data()
{
    QTest::addColumn<QString>("sfondo");
    for (const QString &nome : kSfondi())
        QTest::newRow(qPrintable(nome)) << nome;
    QTest::newRow("la finestra") << QStringLiteral("frmDocumenti");
}

void TestDocumenti::sfondiSvuotanoLaRigaDiStato()
{
    QFETCH(QString, sfondo);
    aDimensioneDiProgetto();
    QWidget *w = sfondo == m_editor->objectName() ? m_editor : m_editor->findChild<QWidget *>(sfondo);
    QVERIFY(w);
    muoviPuntatore(controlloEditore("cmdSalva"));
    QCOMPARE(barraStato(m_editor)->text(), QStringLiteral("Salva la scheda in archivio."));
    // A point of the element that no control covers.
    QPoint punto(2, 2);
    if (sfondo == QLatin1String("panContainer"))
        punto = QPoint(500, 645);
    else if (sfondo == QLatin1String("frmDocumenti"))
        punto = QPoint(1, 1);
    muoviPuntatore(w, punto);
    QCOMPARE(barraStato(m_editor)->text(), QString());
}

void TestDocumenti::ogniAperturaPulisce()
{
    apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    m_editor->MostraScheda(schedeNumerate(4).at(3), 4);
    for (int k = 0; k < kCampiDescrittivi; ++k)
        m_editor->campo(Campo(k))->setText(QStringLiteral("x"));
    casellaDaCompletare(m_editor)->setChecked(true);
    impostaAllegatoEditore(m_editor, 2, QStringLiteral("f"), QString());
    impostaAllegatoEditore(m_editor, 0, QString(), QStringLiteral("d"));
    m_editor->impostaFoto(tinta(QSize(8, 8), Qt::red));
    campoEditore("txtLingua")->setFocus();
    clicca(controlloEditore("cmdEsci"));
    QVERIFY(!m_editor->isVisible());

    apriEditore(m_programma->cartella(), QStringLiteral("Altro"));
    for (int k = 0; k < kCampiDescrittivi; ++k)
        QCOMPARE(m_editor->campo(Campo(k))->text(), QString());
    QVERIFY(!casellaDaCompletare(m_editor)->isChecked());
    QCOMPARE(m_editor->allegati().nomi[2], QString());
    QCOMPARE(m_editor->allegati().descrizioni[0], QString());
    QCOMPARE(posizioneMostrata(m_editor), QString());
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    QVERIFY(campoEditore("txtTitolo")->hasFocus());
    QCOMPARE(nomeMostrato(m_editor), QStringLiteral("Altro"));
    QCOMPARE(m_editor->percorsoArchivio(), m_programma->percorso(QStringLiteral("Altro.kpx")));
}

void TestDocumenti::chiusuraTornaAllAvvio_data()
{
    QTest::addColumn<bool>("casellaChiusura");
    QTest::newRow("cmdEsci") << false;
    QTest::newRow("casella di chiusura") << true;
}

void TestDocumenti::chiusuraTornaAllAvvio()
{
    QFETCH(bool, casellaChiusura);
    frmAvvio()->hide();
    apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    campoEditore("txtTitolo")->setText(QStringLiteral("non salvato"));
    RegistroMessaggi messaggi;
    if (casellaChiusura)
        m_editor->close();
    else
        clicca(controlloEditore("cmdEsci"));
    QVERIFY(messaggi.testi().isEmpty());
    QVERIFY(!m_editor->isVisible());
    QVERIFY(frmAvvio()->isVisible());
    QCOMPARE(m_programma->terminazioni(), 0);
    QVERIFY(!QFileInfo::exists(m_programma->archivio()));
    frmAvvio()->hide();
}

void TestDocumenti::comandiApronoLeFinestre_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("classe");
    QTest::addColumn<Verifica>("verifica");

    const Verifica nulla = [](QWidget *, TfrmDocumenti *) {};
    QTest::newRow("trova") << "cmdTrova" << "TfrmTrovaPagine" << Verifica([](QWidget *d, TfrmDocumenti *) {
        QCOMPARE(static_cast<TfrmTrovaPagine *>(d)->lblMemory->text(), QStringLiteral("documenti"));
    });
    QTest::newRow("allegati") << "cmdFile" << "TfrmAllegaCartella" << Verifica([](QWidget *d, TfrmDocumenti *e) {
        auto *f = static_cast<TfrmAllegaCartella *>(d);
        QCOMPARE(f->lblMemory->text(), QStringLiteral("documenti"));
        ValoriAllegati attesi;
        attesi.nomi = {QStringLiteral("a.pdf"), QString(), QStringLiteral("c.txt")};
        attesi.descrizioni = {QStringLiteral("prima"), QString(), QStringLiteral("terza")};
        QCOMPARE(f->valori(), attesi);
        QCOMPARE(e->allegati().nomi[0], QStringLiteral("a.pdf"));
    });
    QTest::newRow("anteprima") << "cmdAnteprima" << "TfrmAnteprimaPagina" << nulla;
    QTest::newRow("stampa") << "cmdStampa" << "TfrmStampaPagina" << nulla;
    QTest::newRow("da completare") << "cmdDaCompletare" << "TfrmRiepDaCompletare" << nulla;
    QTest::newRow("esporta") << "cmdEsporta" << "TfrmExpDocumenti" << nulla;
    QTest::newRow("slideshow") << "cmdSlideshow" << "TfrmSlideshow_Documenti" << nulla;
    QTest::newRow("guida") << "cmdGuida" << "TfrmGuida" << nulla;
    QTest::newRow("zoom") << "btnZoomFoto" << "TfrmZoom" << Verifica([](QWidget *d, TfrmDocumenti *e) {
        QCOMPARE(static_cast<TfrmZoom *>(d)->imgFoto->immagine(), e->foto());
    });
}

// Each command opens a fresh window of its kind, owned by the editor and
// modal, hands it what it needs, and the window is gone when it closes.
void TestDocumenti::comandiApronoLeFinestre()
{
    QFETCH(QString, comando);
    QFETCH(QString, classe);
    QFETCH(Verifica, verifica);
    apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    impostaAllegatoEditore(m_editor, 0, QStringLiteral("a.pdf"), QStringLiteral("prima"));
    impostaAllegatoEditore(m_editor, 2, QStringLiteral("c.txt"), QStringLiteral("terza"));
    m_editor->impostaFoto(tinta(QSize(30, 20), Qt::red));

    RegistroMessaggi messaggi;
    QPointer<QWidget> aperta;
    bool eseguita = false;
    azzeraModaleMancata();
    allaProssimaModale([&](QWidget *m) {
        aperta = m;
        eseguita = true;
        QCOMPARE(QString::fromLatin1(m->metaObject()->className()), classe);
        QCOMPARE(m->parentWidget(), static_cast<QWidget *>(m_editor));
        QVERIFY(m->isModal());
        verifica(m, m_editor);
        static_cast<QDialog *>(m)->reject();
    });
    clicca(m_editor->findChild<QWidget *>(comando));
    QVERIFY(!modaleMancata());
    QVERIFY(eseguita);
    QVERIFY(aperta.isNull());
    QVERIFY(m_editor->findChildren<QDialog *>().isEmpty());
    QVERIFY(m_editor->isVisible());
    QCOMPARE(m_editor->allegati().nomi[0], QStringLiteral("a.pdf"));
}

// The scan buttons change only the picture on screen.
void TestDocumenti::comandiDellaFoto()
{
    apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    const QString bmp = m_programma->percorso(QStringLiteral("foglio.bmp"));
    QVERIFY(scriviFile(bmp, codifica(tinta(QSize(40, 50), Qt::blue), "BMP")));
    RispostaFile risposte;
    risposte.rispondi(bmp);
    clicca(controlloEditore("btnCaricaFoto"));
    QCOMPARE(m_editor->foto().size(), QSize(40, 50));

    const QString copia = m_programma->percorso(QStringLiteral("copia.jpg"));
    risposte.rispondi(copia);
    clicca(controlloEditore("btnSalvaFoto"));
    QCOMPARE(formatoDelFile(copia), QByteArray("jpeg"));
    QCOMPARE(m_editor->foto().size(), QSize(40, 50));

    clicca(controlloEditore("btnCancFoto"));
    QCOMPARE(m_editor->foto(), m_editor->fotoSegnaposto());
    QVERIFY(!QFileInfo::exists(m_programma->scansione(1)));
}

// Nothing the user reads or clicks hides another, and everything lies
// on the panel; each command sits on its box.
void TestDocumenti::disposizione()
{
    QWidget *pannello = controlloEditore("panContainer");
    QVERIFY(pannello);
    QCOMPARE(pannello->size(), QSize(996, 692));
    const QStringList sfondi = kSfondi();
    QList<QWidget *> controlli;
    QList<QWidget *> riquadri;
    for (QObject *o : pannello->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isHidden() || w->size().isEmpty())
            continue;
        QVERIFY2(pannello->rect().contains(w->geometry()), qPrintable(w->objectName()));
        if (sfondi.contains(w->objectName()) && w->objectName() != QLatin1String("imgFoto"))
            riquadri.append(w);
        else
            controlli.append(w);
    }
    QVERIFY(controlli.size() > 50);
    for (int i = 0; i < controlli.size(); ++i) {
        for (int j = i + 1; j < controlli.size(); ++j) {
            const QString coppia = controlli[i]->objectName() + QLatin1Char('/') + controlli[j]->objectName();
            QVERIFY2(!controlli[i]->geometry().intersects(controlli[j]->geometry()), qPrintable(coppia));
        }
    }
    // Every control but the status line lies wholly on one box that holds it.
    for (QWidget *c : controlli) {
        if (c->objectName() == QLatin1String("panInfo"))
            continue;
        bool sopra = false;
        for (QWidget *r : riquadri) {
            if (r->objectName() != QLatin1String("shpContainer") && r->geometry().contains(c->geometry()))
                sopra = true;
        }
        QVERIFY2(sopra, qPrintable(c->objectName()));
    }
    QVERIFY(controlloEditore("shpFoto")->geometry().contains(fotoEditore(m_editor)->geometry()));
}

void TestDocumenti::pannelloCentrato()
{
    apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    QWidget *pannello = controlloEditore("panContainer");
    m_editor->setWindowState(Qt::WindowNoState);
    for (const QSize &dimensione : {QSize(1016, 713), QSize(1500, 1000)}) {
        m_editor->resize(dimensione);
        QTRY_COMPARE(m_editor->size(), dimensione);
        QTRY_VERIFY(qAbs(pannello->geometry().center().x() - m_editor->rect().center().x()) <= 1);
        QVERIFY(qAbs(pannello->geometry().center().y() - m_editor->rect().center().y()) <= 1);
    }
    m_editor->setWindowState(Qt::WindowMaximized);
}

QTEST_MAIN(TestDocumenti)
#include "tst_documenti.moc"
