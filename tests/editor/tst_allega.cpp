#include "app/vistaimmagine.h"
#include "editor/frmallegacartella.h"
#include "storage/sostituzionefile.h"

#include "support/permessi_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>

#include <memory>

#include <sys/mount.h>
#include <sys/stat.h>

namespace {


const QString kDomanda = QStringLiteral(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
    "Si vuole sovrascrivere il file esistente?");
const QString kNomeNonMemorizzabile = QStringLiteral(
    "Attenzione: il nome del file scelto non può essere memorizzato nella scheda. Il nome deve avere al "
    "massimo 250 caratteri e contenere soltanto lettere, cifre e simboli dell'alfabeto latino occidentale."
    "\r\n\r\nRinominare il file e sceglierlo di nuovo.");
const QString kCopiaNonRiuscita = QStringLiteral(
    "Attenzione: il sistema non ha permesso di copiare il file nella cartella dei documenti allegati."
    "\r\n\r\nMotivo: %1.");

ssize_t discoPieno(int, const void *, size_t)
{
    errno = ENOSPC;
    return -1;
}

// Stands for the editor: a window that keeps only the six attachment values.
class Apritore : public QWidget
{
public:
    // Six texts: three names, then three descriptions.
    void imposta(const QStringList &testi)
    {
        for (size_t i = 0; i < 3; ++i) {
            m_allegati.nomi[i] = testi.value(int(i));
            m_allegati.descrizioni[i] = testi.value(int(i) + 3);
        }
    }
    QStringList testi() const
    {
        QStringList t;
        for (const QString &n : m_allegati.nomi)
            t << n;
        for (const QString &d : m_allegati.descrizioni)
            t << d;
        return t;
    }

    // The editor's attach command: what the window hands back replaces the
    // values, nothing handed back leaves them.
    void allega()
    {
        if (const std::optional<ValoriAllegati> valori = apriAllegati(contestoDiProva(), this, m_allegati))
            m_allegati = *valori;
    }

private:
    ValoriAllegati m_allegati;
};

template <class T>
T *figlio(QWidget *w, const char *nome, int k)
{
    T *c = w->findChild<T *>(QString::fromLatin1(nome) + QStringLiteral("0%1").arg(k + 1));
    if (!c)
        qWarning("manca %s0%d", nome, k + 1);
    return c;
}

QString allegati()
{
    return contestoDiProva().cartella() + QStringLiteral("Documenti_Allegati/");
}

} // namespace

class TestAllega : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aspetto();
    void ordineDiTabulazione();
    void aperturaDallEditore_data();
    void aperturaDallEditore();
    void sfoglia_data();
    void sfoglia();
    void sfogliaAnnullato();
    void nomeNonMemorizzabile_data();
    void nomeNonMemorizzabile();
    void copiaSuDiscoPieno();
    void cartellaNonCreabile_data();
    void cartellaNonCreabile();
    void apri_data();
    void apri();
    void cancellaPoiConferma();
    void confermaSoloPerLEditore();
    void annullaLasciaIValori();

private:
    // Opens the window as the editor does, runs the steps inside it, and
    // returns once it has closed.
    void apriEDentro(const std::function<void(TfrmAllegaCartella *)> &passi);

    std::unique_ptr<ProgrammaDiProva> m_programma;
    std::unique_ptr<Apritore> m_editore;
    QTemporaryDir m_esterna;
};

void TestAllega::init()
{
    m_programma = std::make_unique<ProgrammaDiProva>();
    m_editore = std::make_unique<Apritore>();
    m_editore->show();
}

void TestAllega::cleanup()
{
    chiudiModali();
    azzeraModaleMancata();
    m_editore.reset();
    m_programma.reset();
}

void TestAllega::apriEDentro(const std::function<void(TfrmAllegaCartella *)> &passi)
{
    bool eseguito = false;
    allaProssimaModale([&](QWidget *m) {
        auto *finestra = qobject_cast<TfrmAllegaCartella *>(m);
        QVERIFY(finestra);
        QCOMPARE(finestra->parentWidget(), static_cast<QWidget *>(m_editore.get()));
        eseguito = true;
        passi(finestra);
        if (finestra->isVisible()) // a failed check must not leave it open
            finestra->btnAnnulla->click();
    });
    m_editore->allega();
    QVERIFY(!modaleMancata());
    QVERIFY(eseguito);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_editore->findChildren<TfrmAllegaCartella *>().isEmpty());
}

void TestAllega::aspetto()
{
    TfrmAllegaCartella finestra(contestoDiProva(), m_editore.get());
    QCOMPARE(finestra.windowTitle(), QStringLiteral(" Allega file"));
    QCOMPARE(finestra.size(), QSize(634, 534));
    QCOMPARE(finestra.minimumSize(), finestra.maximumSize());
    QVERIFY(!finestra.pulsantiTitolo());
    QVERIFY(!(finestra.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(finestra.lblMemory->text(), QStringLiteral("lblMemory"));
    QVERIFY(finestra.lblMemory->isHidden());
    QVERIFY(finestra.findChild<QLabel *>(QStringLiteral("imgLogo")));
    QCOMPARE(finestra.btnApplica->text(), QStringLiteral("Applica e chiudi"));
    QCOMPARE(finestra.btnAnnulla->text(), QStringLiteral("Annulla"));

    QStringList didascalie;
    for (QLabel *l : finestra.findChildren<QLabel *>())
        didascalie << l->text();
    for (int k = 0; k < 3; ++k) {
        QVERIFY(didascalie.contains(QStringLiteral("Nome %1° file allegato:").arg(k + 1)));
        QVERIFY(didascalie.contains(QStringLiteral("Descrizione %1° file allegato:").arg(k + 1)));
        auto *nome = figlio<QLineEdit>(&finestra, "txtFile", k);
        QVERIFY(nome && nome->isReadOnly());
        QCOMPARE(nome->width(), 338);
        auto *descrizione = figlio<QLineEdit>(&finestra, "txtDesc", k);
        QVERIFY(descrizione && !descrizione->isReadOnly());
        QCOMPARE(descrizione->width(), 552);
        QCOMPARE(figlio<QPushButton>(&finestra, "btnSfoglia", k)->text(), QStringLiteral("Sfoglia..."));
        QCOMPARE(figlio<QPushButton>(&finestra, "btnApri", k)->text(), QStringLiteral("Apri"));
        QVERIFY(!figlio<QPushButton>(&finestra, "btnApri", k)->isEnabled());
        auto *gomma = figlio<VistaImmagine>(&finestra, "imgCancella", k);
        QCOMPARE(gomma->size(), QSize(22, 22));
        QVERIFY(!gomma->immagine().isNull());
        QCOMPARE(gomma->cursor().shape(), Qt::PointingHandCursor);
    }

    // Escape leaves it as its own "Annulla" does.
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));
    QTest::keyClick(&finestra, Qt::Key_Escape);
    QVERIFY(!finestra.isVisible());
    QCOMPARE(finestra.result(), int(QDialog::Rejected));
}

void TestAllega::ordineDiTabulazione()
{
    TfrmAllegaCartella finestra(contestoDiProva(), m_editore.get());
    QStringList atteso;
    for (int k = 1; k <= 3; ++k) {
        // The eraser, a picture command, sits between the name and "Sfoglia...".
        for (const char *radice : {"txtFile0", "imgCancella0", "btnSfoglia0", "btnApri0", "txtDesc0"})
            atteso << QString::fromLatin1(radice) + QString::number(k);
    }
    atteso << QStringLiteral("btnApplica") << QStringLiteral("btnAnnulla");

    // Every control enabled, so that the chain shows all of them.
    for (int k = 0; k < 3; ++k)
        figlio<QPushButton>(&finestra, "btnApri", k)->setEnabled(true);
    QStringList visto;
    QWidget *w = figlio<QWidget>(&finestra, "txtFile", 0);
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled())
            visto << w->objectName();
        w = w->nextInFocusChain();
    } while (w && visto.size() < atteso.size() && w != &finestra);
    QCOMPARE(visto, atteso);
}

void TestAllega::aperturaDallEditore_data()
{
    QTest::addColumn<QStringList>("etichette");  // the editor's six labels
    QTest::addColumn<QStringList>("righe");      // names then descriptions in the window
    QTest::addColumn<QList<bool>>("apri");

    QTest::newRow("solo il primo")
        << QStringList{QStringLiteral("fattura.pdf"), QString(), QString(), QStringLiteral("Fattura"), QString(),
                       QString()}
        << QStringList{QStringLiteral("fattura.pdf"), QString(), QString(), QStringLiteral("Fattura"), QString(),
                       QString()}
        << QList<bool>{true, false, false};
    QTest::newRow("spazi intorno, nome di soli spazi")
        << QStringList{QStringLiteral("  a.txt "), QStringLiteral("   "), QStringLiteral("\tc.odt"),
                       QStringLiteral(" prima "), QStringLiteral("seconda  "), QString()}
        << QStringList{QStringLiteral("a.txt"), QString(), QStringLiteral("c.odt"), QStringLiteral("prima"),
                       QStringLiteral("seconda"), QString()}
        << QList<bool>{true, false, true};
    QTest::newRow("descrizione senza file")
        << QStringList{QString(), QString(), QString(), QString(), QStringLiteral("da allegare"), QString()}
        << QStringList{QString(), QString(), QString(), QString(), QStringLiteral("da allegare"), QString()}
        << QList<bool>{false, false, false};
}

void TestAllega::aperturaDallEditore()
{
    QFETCH(QStringList, etichette);
    QFETCH(QStringList, righe);
    QFETCH(QList<bool>, apri);

    m_editore->imposta(etichette);
    apriEDentro([&](TfrmAllegaCartella *finestra) {
        QCOMPARE(finestra->lblMemory->text(), QStringLiteral("documenti"));
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(finestra->riga(k).txtFile->text(), righe.at(k));
            QCOMPARE(finestra->riga(k).txtDesc->text(), righe.at(3 + k));
            QCOMPARE(finestra->riga(k).btnApri->isEnabled(), apri.at(k));
        }
    });
    QCOMPARE(m_editore->testi(), etichette);
}

void TestAllega::sfoglia_data()
{
    QTest::addColumn<QByteArray>("giaPresente");  // in the attachments folder; null: none
    QTest::addColumn<bool>("dallaCartella");      // the chosen file is the copy itself
    QTest::addColumn<int>("risposta");            // to the overwrite question
    QTest::addColumn<bool>("domanda");
    QTest::addColumn<QByteArray>("dopo");         // the copy afterwards

    const QByteArray nuovo("documento scelto");
    const QByteArray vecchio("copia già allegata, più lunga del documento scelto");
    QTest::newRow("file nuovo") << QByteArray() << false << 0 << false << nuovo;
    QTest::newRow("stesso nome, Sì") << vecchio << false << int(mrSi) << true << nuovo;
    QTest::newRow("stesso nome, No") << vecchio << false << int(mrNo) << true << vecchio;
    QTest::newRow("il file stesso, Sì") << vecchio << true << int(mrSi) << true << vecchio;
    QTest::newRow("il file stesso, No") << vecchio << true << int(mrNo) << true << vecchio;
}

// Choosing copies at once, asking before replacing a copy of the same name;
// the row takes the chosen name whatever the answer.
void TestAllega::sfoglia()
{
    QFETCH(QByteArray, giaPresente);
    QFETCH(bool, dallaCartella);
    QFETCH(int, risposta);
    QFETCH(bool, domanda);
    QFETCH(QByteArray, dopo);

    const QString copia = allegati() + QStringLiteral("relazione tecnica.pdf");
    if (!giaPresente.isNull())
        QVERIFY(scriviFile(copia, giaPresente));
    QCOMPARE(QFileInfo::exists(allegati()), !giaPresente.isNull());
    const QString scelto = dallaCartella ? copia : m_esterna.filePath(QStringLiteral("relazione tecnica.pdf"));
    if (!dallaCartella)
        QVERIFY(scriviFile(scelto, "documento scelto"));

    RispostaFile file;
    file.rispondi(scelto);
    RegistroMessaggi messaggi;
    if (risposta)
        messaggi.rispondi(risposta);

    TfrmAllegaCartella finestra(contestoDiProva(), m_editore.get());
    figlio<QPushButton>(&finestra, "btnSfoglia", 1)->click();

    QCOMPARE(file.richieste().size(), 1);
    QCOMPARE(file.richieste().at(0).modo, RichiestaFile::Apri);
    QCOMPARE(file.richieste().at(0).titolo, QStringLiteral("Selezionare il file da allegare:"));
    QCOMPARE(file.richieste().at(0).filtri, QStringList{QStringLiteral("Tutti i file (*)")});

    if (domanda) {
        QCOMPARE(messaggi.messaggi().size(), 1);
        QCOMPARE(messaggi.messaggi().at(0).testo, kDomanda);
        QCOMPARE(messaggi.messaggi().at(0).tipo, TipoMessaggio::Conferma);
        QCOMPARE(messaggi.messaggi().at(0).pulsanti, PulsantiMessaggio::SiNo);
    } else {
        QVERIFY(messaggi.messaggi().isEmpty());
    }
    QCOMPARE(leggiFile(copia), dopo);
    QCOMPARE(finestra.riga(1).txtFile->text(), QStringLiteral("relazione tecnica.pdf"));
    QVERIFY(finestra.riga(1).btnApri->isEnabled());
    QVERIFY(finestra.riga(0).txtFile->text().isEmpty());
    QVERIFY(finestra.riga(2).txtFile->text().isEmpty());
    QCOMPARE(QDir(allegati()).entryList(QDir::Files), QStringList{QStringLiteral("relazione tecnica.pdf")});
}

void TestAllega::sfogliaAnnullato()
{
    m_editore->imposta({QString(), QStringLiteral("vecchio.pdf"), QString()});
    QVERIFY(scriviFile(allegati() + QStringLiteral("vecchio.pdf"), "vecchio"));
    RispostaFile file; // nothing queued: the dialog is cancelled
    RegistroMessaggi messaggi;

    apriEDentro([&](TfrmAllegaCartella *finestra) {
        finestra->riga(1).btnSfoglia->click();
        QCOMPARE(file.richieste().size(), 1);
        QCOMPARE(finestra->riga(1).txtFile->text(), QStringLiteral("vecchio.pdf"));
        QVERIFY(finestra->riga(1).btnApri->isEnabled());
    });
    QVERIFY(messaggi.messaggi().isEmpty());
    QCOMPARE(QDir(allegati()).entryList(QDir::Files), QStringList{QStringLiteral("vecchio.pdf")});
    QCOMPARE(leggiFile(allegati() + QStringLiteral("vecchio.pdf")), QByteArray("vecchio"));
}

void TestAllega::nomeNonMemorizzabile_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("ammesso");
    QTest::newRow("250 caratteri") << QString(246, u'a') + QStringLiteral(".pdf") << true;
    QTest::newRow("251 caratteri") << QString(247, u'a') + QStringLiteral(".pdf") << false;
    QTest::newRow("euro e accenti di Windows-1252") << QStringLiteral("\u20AC perché.pdf") << true;
    QTest::newRow("fuori da Windows-1252") << QStringLiteral("\u0141\u00F3d\u017A.pdf") << false;
    QTest::newRow("fuori dal piano di base") << QStringLiteral("nota \U0001F4CE.txt") << false;
}

// A name the record would store cut or with '?' is refused before anything
// is copied: "Apri" could never find it afterwards.
void TestAllega::nomeNonMemorizzabile()
{
    QFETCH(QString, nome);
    QFETCH(bool, ammesso);
    const QString scelto = m_esterna.filePath(nome);
    QVERIFY(scriviFile(scelto, "contenuto"));
    RispostaFile file;
    file.rispondi(scelto);
    RegistroMessaggi messaggi;

    TfrmAllegaCartella finestra(contestoDiProva(), m_editore.get());
    finestra.riga(0).txtFile->setText(QStringLiteral("vecchio.pdf"));
    finestra.riga(0).btnSfoglia->click();

    if (ammesso) {
        QVERIFY(messaggi.messaggi().isEmpty());
        QCOMPARE(finestra.riga(0).txtFile->text(), nome);
        QCOMPARE(leggiFile(allegati() + nome), QByteArray("contenuto"));
    } else {
        QCOMPARE(messaggi.testi(), QStringList{kNomeNonMemorizzabile});
        QCOMPARE(messaggi.messaggi().at(0).tipo, TipoMessaggio::Avviso);
        QCOMPARE(finestra.riga(0).txtFile->text(), QStringLiteral("vecchio.pdf"));
        QVERIFY(!QFileInfo::exists(allegati()));
    }
}

// A copy the disk cannot take is said so; an earlier copy of the same name
// stays whole.
void TestAllega::copiaSuDiscoPieno()
{
    const QString copia = allegati() + QStringLiteral("fattura.pdf");
    QVERIFY(scriviFile(copia, "copia di prima"));
    const QString scelto = m_esterna.filePath(QStringLiteral("fattura.pdf"));
    QVERIFY(scriviFile(scelto, "fattura nuova"));
    RispostaFile file;
    file.rispondi(scelto);
    RegistroMessaggi messaggi;
    messaggi.rispondi(mrSi);

    ChiamateDisco piene = chiamateDiSistema();
    piene.scrivi = &discoPieno;
    contestoDiProva().impostaChiamateDisco(piene);
    const auto ripristina = qScopeGuard([] { contestoDiProva().impostaChiamateDisco(chiamateDiSistema()); });
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("fattura\\.pdf.*spazio esaurito")));
    TfrmAllegaCartella finestra(contestoDiProva(), m_editore.get());
    finestra.riga(2).btnSfoglia->click();

    QCOMPARE(messaggi.testi(),
             (QStringList{kDomanda, kCopiaNonRiuscita.arg(copia + QStringLiteral(": spazio esaurito sul disco"))}));
    QCOMPARE(messaggi.messaggi().at(1).tipo, TipoMessaggio::Avviso);
    QCOMPARE(leggiFile(copia), QByteArray("copia di prima"));
    QCOMPARE(finestra.riga(2).txtFile->text(), QStringLiteral("fattura.pdf"));
}

void TestAllega::cartellaNonCreabile_data()
{
    QTest::addColumn<QString>("perche");
    QTest::newRow("cartella del programma in sola lettura") << QStringLiteral("sola lettura");
    QTest::newRow("un file al posto della cartella") << QStringLiteral("file");
    QTest::newRow("nessun inode libero") << QStringLiteral("inode");
}

// The attachments folder cannot be made: no copy can exist, so no name may
// stand for one. The row is left empty and the user is told, as for a copy
// that failed.
void TestAllega::cartellaNonCreabile()
{
    QFETCH(QString, perche);
    const QString programma = contestoDiProva().cartella();
    const QByteArray nomeProgramma = QFile::encodeName(programma);
    const auto ripristina = qScopeGuard([&] {
        ::chmod(nomeProgramma.constData(), 0700);
        if (contestoDiProva().cartella() != programma) {
            ::umount2(QFile::encodeName(contestoDiProva().cartella()).constData(), MNT_DETACH);
            contestoDiProva().impostaCartellaProgramma(programma);
        }
    });
    std::unique_ptr<PermessiDaUtente> utente;
    if (perche == QLatin1String("sola lettura")) {
        QCOMPARE(::chmod(nomeProgramma.constData(), 0555), 0);
        utente = std::make_unique<PermessiDaUtente>();
        QVERIFY(utente->attivi());
    } else if (perche == QLatin1String("file")) {
        QVERIFY(scriviFile(programma + QStringLiteral("Documenti_Allegati"), "non una cartella"));
    } else {
        const QString disco = programma + QStringLiteral("disco/");
        QVERIFY(QDir().mkpath(disco));
        if (::mount("tmpfs", QFile::encodeName(disco).constData(), "tmpfs", 0, "size=1m,nr_inodes=64") != 0)
            QSKIP("no permission to mount a small tmpfs here");
        contestoDiProva().impostaCartellaProgramma(disco);
        for (int k = 0;; ++k) {
            QFile f(contestoDiProva().cartella() + QStringLiteral("riempimento%1").arg(k));
            if (!f.open(QIODevice::WriteOnly))
                break;
            QVERIFY(k < 1000);
        }
    }
    const QString scelto = m_esterna.filePath(QStringLiteral("fattura.pdf"));
    QVERIFY(scriviFile(scelto, "fattura"));
    RispostaFile file;
    file.rispondi(scelto);
    RegistroMessaggi messaggi;

    TfrmAllegaCartella finestra(contestoDiProva(), m_editore.get());
    finestra.riga(1).txtFile->setText(QStringLiteral("vecchio.pdf"));
    finestra.riga(1).btnSfoglia->click();
    utente.reset();

    QCOMPARE(messaggi.testi(), QStringList{kCopiaNonRiuscita});
    QCOMPARE(messaggi.messaggi().at(0).tipo, TipoMessaggio::Avviso);
    QCOMPARE(finestra.riga(1).txtFile->text(), QString());
    QVERIFY(!finestra.riga(1).btnApri->isEnabled());
    QVERIFY(!QFileInfo(allegati()).isDir());
}

void TestAllega::apri_data()
{
    QTest::addColumn<QString>("nome");    // as stored in the record
    QTest::addColumn<QString>("aperto");  // under the attachments folder; empty: nothing opened

    QTest::newRow("nome semplice") << QStringLiteral("fattura.pdf") << QStringLiteral("fattura.pdf");
    QTest::newRow("con spazi") << QStringLiteral(" la mia fattura.pdf ") << QStringLiteral("la mia fattura.pdf");
    QTest::newRow("file mancante") << QStringLiteral("sparito.doc") << QStringLiteral("sparito.doc");
    QTest::newRow("risale di cartella") << QStringLiteral("../unins000.dll") << QString();
    QTest::newRow("risale con \\") << QStringLiteral("..\\..\\segreto.txt") << QString();
    QTest::newRow("cartella superiore") << QStringLiteral("..") << QString();
    QTest::newRow("percorso assoluto") << QStringLiteral("/bin/sh") << QString();
    QTest::newRow("sottocartella") << QStringLiteral("sotto/fattura.pdf") << QString();
}

// Opens through the shell, and only ever a file inside the attachments
// folder, whatever the record says.
void TestAllega::apri()
{
    QFETCH(QString, nome);
    QFETCH(QString, aperto);

    QVERIFY(scriviFile(allegati() + QStringLiteral("fattura.pdf"), "pdf"));
    m_editore->imposta({nome});
    RegistroAperture aperture;
    RegistroMessaggi messaggi;

    apriEDentro([&](TfrmAllegaCartella *finestra) {
        QVERIFY(finestra->riga(0).btnApri->isEnabled());
        finestra->riga(0).btnApri->click();
    });
    QVERIFY(messaggi.messaggi().isEmpty());
    if (aperto.isEmpty())
        QVERIFY(aperture.aperture().isEmpty());
    else
        QCOMPARE(aperture.aperture(), QList<QUrl>{QUrl::fromLocalFile(allegati() + aperto)});
}

// The eraser empties the name only: the description stays, the copy stays,
// and confirming hands the editor the six trimmed values.
void TestAllega::cancellaPoiConferma()
{
    QVERIFY(scriviFile(allegati() + QStringLiteral("b.pdf"), "b"));
    m_editore->imposta({QStringLiteral("a.pdf"), QStringLiteral("b.pdf"), QStringLiteral("c.pdf"),
                        QStringLiteral("prima"), QStringLiteral("seconda"), QStringLiteral("terza")});

    apriEDentro([&](TfrmAllegaCartella *finestra) {
        QTest::mouseClick(finestra->riga(1).imgCancella, Qt::LeftButton);
        QVERIFY(finestra->riga(1).txtFile->text().isEmpty());
        QVERIFY(!finestra->riga(1).btnApri->isEnabled());
        QCOMPARE(finestra->riga(1).txtDesc->text(), QStringLiteral("seconda"));
        finestra->riga(2).txtDesc->setText(QStringLiteral("   terza, riveduta  "));
        finestra->btnApplica->click();
        QVERIFY(!finestra->isVisible());
    });
    QCOMPARE(m_editore->testi(),
             (QStringList{QStringLiteral("a.pdf"), QString(), QStringLiteral("c.pdf"), QStringLiteral("prima"),
                          QStringLiteral("seconda"), QStringLiteral("terza, riveduta")}));
    QCOMPARE(leggiFile(allegati() + QStringLiteral("b.pdf")), QByteArray("b"));
}

// A window that the editor did not open (no "documenti" mark) hands
// nothing back and stays open.
void TestAllega::confermaSoloPerLEditore()
{
    TfrmAllegaCartella finestra(contestoDiProva(), m_editore.get());
    QSignalSpy confermata(&finestra, &QDialog::accepted);
    finestra.impostaValori(ValoriAllegati{{QStringLiteral("altro.pdf"), QString(), QString()}, {}});
    finestra.show();
    finestra.btnApplica->click();
    QVERIFY(finestra.isVisible());
    QCOMPARE(confermata.count(), 0);

    finestra.lblMemory->setText(QStringLiteral(" documenti "));
    finestra.btnApplica->click();
    QVERIFY(!finestra.isVisible());
    QCOMPARE(finestra.result(), int(QDialog::Accepted));
    QCOMPARE(confermata.count(), 1);
    QCOMPARE(finestra.valori().nomi[0], QStringLiteral("altro.pdf"));
}

void TestAllega::annullaLasciaIValori()
{
    const QStringList prima{QStringLiteral("a.pdf"), QString(), QString(), QStringLiteral("prima"), QString(),
                            QString()};
    m_editore->imposta(prima);
    const QString scelto = m_esterna.filePath(QStringLiteral("nuovo.pdf"));
    QVERIFY(scriviFile(scelto, "nuovo"));
    RispostaFile file;
    file.rispondi(scelto);

    apriEDentro([&](TfrmAllegaCartella *finestra) {
        finestra->riga(0).btnSfoglia->click();
        finestra->riga(0).txtDesc->setText(QStringLiteral("cambiata"));
        finestra->btnAnnulla->click();
        QVERIFY(!finestra->isVisible());
    });
    QCOMPARE(m_editore->testi(), prima);
    QCOMPARE(leggiFile(allegati() + QStringLiteral("nuovo.pdf")), QByteArray("nuovo"));
}

QTEST_MAIN(TestAllega)
#include "tst_allega.moc"
