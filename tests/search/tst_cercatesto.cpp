#include "ocr/indicetesti.h"
#include "search/frmcercatesto.h"
#include "search/rigariepilogo.h"

#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kNome = QStringLiteral("Diario");

// The count is seen whole, on the lines its label has.
bool conteggioIntero(const TfrmCercaTesto &f)
{
    const QRect serve = f.lblTrovate->fontMetrics().boundingRect(
        QRect(QPoint(), f.lblTrovate->size()), Qt::TextWordWrap | Qt::AlignCenter, f.lblTrovate->text());
    return serve.height() <= f.lblTrovate->height() && serve.width() <= f.lblTrovate->width();
}

} // namespace

class TestCercaTesto : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cerca_data();
    void cerca();
    void doppioClicSceglieLaPagina();
    void elencoLimitato();
    void senzaParole();
    void indicePiuRecente();
    void indiceDanneggiato();
    void troppeParole_data();
    void troppeParole();
    void escapeChiude();

private:
    QString cartella() const { return m_dir->path() + QLatin1Char('/'); }
    QString archivio() const { return cartella() + kNome + QStringLiteral(".kpx"); }
    std::unique_ptr<TfrmCercaTesto> finestra();
    void cercaParole(TfrmCercaTesto &f, const QString &parole);

    std::unique_ptr<QTemporaryDir> m_dir;
    QVector<TSchedaPagina> m_schede;
};

void TestCercaTesto::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_schede = {schedaDiProva("Partenza", "Rossi", "D-1", "1"), schedaDiProva("Arrivo", "Rossi", "D-2", "2"),
                schedaDiProva("Ritorno", "Bianchi", "D-3", "3")};
    QVERIFY(scriviArchivio(archivio(), m_schede));
    IndiceTesti indice(IndiceTesti::percorsoIn(cartella()));
    QVERIFY(indice.scriviPagina(kNome, 1, QStringLiteral("Lasciammo la città all'alba,\nverso il mare calmo."), "1"));
    QVERIFY(indice.scriviPagina(kNome, 2, QStringLiteral("La Città ci accolse col mare in tempesta."), "2"));
    QVERIFY(indice.scriviPagina(kNome, 3, QStringLiteral("Il mare calmo del ritorno."), "3"));
    // A page past the end of the archive: an archive of the same name
    // deleted and made again.
    QVERIFY(indice.scriviPagina(kNome, 7, QStringLiteral("Una città perduta."), "7"));
}

std::unique_ptr<TfrmCercaTesto> TestCercaTesto::finestra()
{
    auto f = std::make_unique<TfrmCercaTesto>(contestoDiProva());
    f->impostaArchivio(cartella(), archivio(), kNome);
    f->show();
    return f;
}

void TestCercaTesto::cercaParole(TfrmCercaTesto &f, const QString &parole)
{
    f.txtParole->setText(parole);
    QTest::mouseClick(f.btnCerca, Qt::LeftButton);
}

void TestCercaTesto::cerca_data()
{
    QTest::addColumn<QString>("parole");
    QTest::addColumn<QList<int>>("pagine");
    QTest::addColumn<QString>("conteggio");
    QTest::newRow("senza accento") << "citta" << QList<int>{1, 2} << "Il testo di 2 pagine contiene le parole cercate.";
    QTest::newRow("frase") << "\"mare calmo\"" << QList<int>{1, 3} << "Il testo di 2 pagine contiene le parole cercate.";
    QTest::newRow("tutte le parole") << "tempesta MARE" << QList<int>{2} << "Il testo di una pagina contiene le parole cercate.";
    QTest::newRow("nessuna") << "montagna" << QList<int>{} << "Nessuna pagina contiene le parole cercate.";
}

void TestCercaTesto::cerca()
{
    QFETCH(QString, parole);
    QFETCH(QList<int>, pagine);
    QFETCH(QString, conteggio);
    auto f = finestra();
    cercaParole(*f, parole);
    QCOMPARE(f->lstRecords->count(), pagine.size());
    for (int k = 0; k < pagine.size(); ++k) {
        const QString riga = f->lstRecords->item(k)->text();
        // The summary line of the record, then the words in context below.
        QVERIFY2(riga.startsWith(RigaRiepilogo(m_schede.at(pagine.at(k) - 1))), qPrintable(riga));
        QVERIFY2(riga.section(QLatin1Char('\n'), 1).contains(QChar(0xab)), qPrintable(riga));
    }
    QCOMPARE(f->lblTrovate->text(), conteggio);
}

void TestCercaTesto::doppioClicSceglieLaPagina()
{
    auto f = finestra();
    cercaParole(*f, QStringLiteral("citta"));
    QListWidgetItem *seconda = f->lstRecords->item(1);
    const QRect r = f->lstRecords->visualItemRect(seconda);
    QTest::mouseClick(f->lstRecords->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(f->lstRecords->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(f->posizioneScelta(), 2);
}

// A word on more pages than the list holds: the first pages by position,
// and the count of all of them.
void TestCercaTesto::elencoLimitato()
{
    const int pagine = kMassimoElencate + 5;
    QVector<TSchedaPagina> schede;
    QVector<IndiceTesti::Pagina> testi;
    for (int p = pagine; p >= 1; --p) {
        schede.prepend(schedaDiProva(QStringLiteral("Foglio %1").arg(p), "Rossi", "F", QString::number(p)));
        testi.append({p, QStringLiteral("Il porto, foglio %1.").arg(p), QString::number(p)});
    }
    QVERIFY(scriviArchivio(archivio(), schede));
    IndiceTesti indice(IndiceTesti::percorsoIn(cartella()));
    QVERIFY(indice.scriviPagine(kNome, testi));
    auto f = finestra();
    cercaParole(*f, QStringLiteral("porto"));
    QCOMPARE(f->lstRecords->count(), kMassimoElencate);
    QVERIFY(f->lstRecords->item(0)->text().startsWith(RigaRiepilogo(schede.first())));
    QVERIFY(f->lstRecords->item(kMassimoElencate - 1)->text().startsWith(RigaRiepilogo(schede.at(kMassimoElencate - 1))));
    QCOMPARE(f->lblTrovate->text(), QStringLiteral("Il testo di %1 pagine contiene le parole cercate: sono elencate "
                                                   "le prime %2.")
                                        .arg(pagine)
                                        .arg(kMassimoElencate));
    QVERIFY(conteggioIntero(*f));
}

void TestCercaTesto::senzaParole()
{
    RegistroMessaggi messaggi;
    auto f = finestra();
    cercaParole(*f, QStringLiteral(" \"\" ,; "));
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioNessunaParola});
    QCOMPARE(f->lstRecords->count(), 0);
    QCOMPARE(f->posizioneScelta(), 0);
}

void TestCercaTesto::indicePiuRecente()
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("futura"));
        db.setDatabaseName(IndiceTesti::percorsoIn(cartella()));
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 99")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("futura"));
    RegistroMessaggi messaggi;
    auto f = finestra();
    cercaParole(*f, QStringLiteral("citta"));
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioIndicePiuRecente});
    QCOMPARE(f->lstRecords->count(), 0);
}

// A damaged index is put aside and made anew, as the editor does, and the
// window says so instead of finding no page in the empty new file.
void TestCercaTesto::indiceDanneggiato()
{
    const QString percorso = IndiceTesti::percorsoIn(cartella());
    {
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(100);
        f.write(QByteArray(int(f.size()) - 100, '\x5a'));
    }
    RegistroMessaggi messaggi;
    auto f = finestra();
    cercaParole(*f, QStringLiteral("citta"));
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioIndiceRicreato});
    QCOMPARE(f->lstRecords->count(), 0);
    QCOMPARE(f->lblTrovate->text(), QString());
    QVERIFY(QFileInfo::exists(percorso + QStringLiteral(".danneggiato")));
}

// A word given again and again is searched once; words past the most a
// search takes are left out, and the count says so.
void TestCercaTesto::troppeParole_data()
{
    QStringList prese;
    for (int k = 1; k <= kMassimoParole; ++k)
        prese.append(QStringLiteral("p%1").arg(k));
    QTest::addColumn<QString>("parole");
    QTest::addColumn<QList<int>>("pagine");
    QTest::addColumn<QString>("conteggio");
    QTest::newRow("duemila volte la stessa parola") << QStringLiteral("citta ").repeated(2000) << QList<int>{1, 2}
                                                    << "Il testo di 2 pagine contiene le parole cercate.";
    QTest::newRow("parole oltre il massimo")
        << prese.join(QLatin1Char(' ')) + QStringLiteral(" assente") << QList<int>{3}
        << QStringLiteral("Il testo di una pagina contiene le prime %1 parole cercate.").arg(kMassimoParole);
    QTest::newRow("frase oltre il massimo")
        << QLatin1Char('"') + prese.join(QLatin1Char(' ')) + QStringLiteral(" assente\"") << QList<int>{3}
        << QStringLiteral("Il testo di una pagina contiene le prime %1 parole cercate.").arg(kMassimoParole);
    QTest::newRow("nessuna pagina")
        << QStringLiteral("assente ") + prese.join(QLatin1Char(' ')) << QList<int>{}
        << QStringLiteral("Nessuna pagina contiene le prime %1 parole cercate.").arg(kMassimoParole);
}

void TestCercaTesto::troppeParole()
{
    QFETCH(QString, parole);
    QFETCH(QList<int>, pagine);
    QFETCH(QString, conteggio);
    {
        QStringList testo;
        for (int k = 1; k <= kMassimoParole + 1; ++k)
            testo.append(QStringLiteral("p%1").arg(k));
        IndiceTesti indice(IndiceTesti::percorsoIn(cartella()));
        QVERIFY(indice.scriviPagina(kNome, 3, testo.join(QLatin1Char(' ')), "3"));
    }
    RegistroMessaggi messaggi;
    auto f = finestra();
    cercaParole(*f, parole);
    QCOMPARE(messaggi.testi(), QStringList());
    QList<int> trovate;
    for (int k = 0; k < f->lstRecords->count(); ++k)
        for (int p = 1; p <= m_schede.size(); ++p)
            if (f->lstRecords->item(k)->text().startsWith(RigaRiepilogo(m_schede.at(p - 1))))
                trovate.append(p);
    QCOMPARE(trovate, pagine);
    QCOMPARE(f->lblTrovate->text(), conteggio);
    QVERIFY(conteggioIntero(*f));
}

void TestCercaTesto::escapeChiude()
{
    auto f = finestra();
    QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    QTest::keyClick(f->txtParole, Qt::Key_Escape);
    QVERIFY(!f->isVisible());
    QCOMPARE(f->posizioneScelta(), 0);
}

QTEST_MAIN(TestCercaTesto)
#include "tst_cercatesto.moc"
