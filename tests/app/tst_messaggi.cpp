#include "app/messaggi.h"

#include "support/supporto.h"

#include <QPushButton>
#include <QMessageBox>
#include <QTest>

Q_DECLARE_METATYPE(TipoMessaggio)
Q_DECLARE_METATYPE(PulsantiMessaggio)

// The real message box, driven the way a user answers it.
class TestMessaggi : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { chiudiModali(); }

    void aspettoERisultato_data();
    void aspettoERisultato();
    void formaSemplice();
    void testoVisibile_data();
    void testoVisibile();
    void combinazioniDeiChiamanti();
};

void TestMessaggi::aspettoERisultato_data()
{
    QTest::addColumn<TipoMessaggio>("tipo");
    QTest::addColumn<PulsantiMessaggio>("pulsanti");
    QTest::addColumn<int>("icona");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<int>("predefinito");
    QTest::addColumn<int>("premuto");
    QTest::addColumn<int>("risultato");

    const int ok = QMessageBox::Ok, annulla = QMessageBox::Cancel, si = QMessageBox::Yes, no = QMessageBox::No;
    QTest::newRow("avviso ok") << TipoMessaggio::Avviso << PulsantiMessaggio::OkAnnulla
                               << int(QMessageBox::Warning) << "Warning" << ok << ok << int(mrOk);
    QTest::newRow("avviso annulla") << TipoMessaggio::Avviso << PulsantiMessaggio::OkAnnulla
                                    << int(QMessageBox::Warning) << "Warning" << ok << annulla << int(mrAnnulla);
    QTest::newRow("errore") << TipoMessaggio::Errore << PulsantiMessaggio::OkAnnulla
                            << int(QMessageBox::Critical) << "Error" << ok << ok << int(mrOk);
    QTest::newRow("informazione annulla") << TipoMessaggio::Informazione << PulsantiMessaggio::OkAnnulla
                                          << int(QMessageBox::Information) << "Information" << ok << annulla
                                          << int(mrAnnulla);
    QTest::newRow("conferma si") << TipoMessaggio::Conferma << PulsantiMessaggio::SiNo
                                 << int(QMessageBox::Question) << "Confirm" << si << si << int(mrSi);
    QTest::newRow("conferma no") << TipoMessaggio::Conferma << PulsantiMessaggio::SiNo
                                 << int(QMessageBox::Question) << "Confirm" << si << no << int(mrNo);
}

void TestMessaggi::aspettoERisultato()
{
    QFETCH(TipoMessaggio, tipo);
    QFETCH(PulsantiMessaggio, pulsanti);
    QFETCH(int, icona);
    QFETCH(QString, titolo);
    QFETCH(int, predefinito);
    QFETCH(int, premuto);
    QFETCH(int, risultato);

    const QString testo = QStringLiteral("Prima riga.\n\r\n\rSeconda riga.");
    bool visto = false;
    allaProssimaModale([&](QWidget *m) {
        auto *box = qobject_cast<QMessageBox *>(m);
        QVERIFY(box);
        visto = true;
        QCOMPARE(int(box->icon()), icona);
        QCOMPARE(box->windowTitle(), titolo);
        const int attesi = pulsanti == PulsantiMessaggio::SiNo ? int(QMessageBox::Yes | QMessageBox::No)
                                                                : int(QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(int(box->standardButtons()), attesi);
        QCOMPARE(int(box->standardButton(box->defaultButton())), predefinito);
        QCOMPARE(box->text(), QStringLiteral("Prima riga.\n\nSeconda riga."));
        box->button(QMessageBox::StandardButton(premuto))->click();
    });
    QCOMPARE(MostraMessaggio(testo, tipo, pulsanti), risultato);
    QVERIFY(visto);
    QVERIFY(!modaleMancata());
}

void TestMessaggi::formaSemplice()
{
    bool visto = false;
    allaProssimaModale([&](QWidget *m) {
        auto *box = qobject_cast<QMessageBox *>(m);
        QVERIFY(box);
        visto = true;
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QVERIFY(box->windowTitle().isEmpty());
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->text(), QStringLiteral("Attenzione: password errata."));
        // Enter presses the default button, OK.
        QTest::keyClick(box, Qt::Key_Return);
    });
    contestoDiProva().messaggio(QStringLiteral("Attenzione: password errata."));
    QVERIFY(visto);
    QVERIFY(!modaleMancata());
}

void TestMessaggi::testoVisibile_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("LF CR due volte") << "a\n\r\n\rb" << "a\n\nb";
    QTest::newRow("CR LF due volte") << "a\r\n\r\nb" << "a\n\nb";
    QTest::newRow("CR da solo") << "a\rb" << "a\nb";
    QTest::newRow("senza interruzioni") << "abc" << "abc";
}

void TestMessaggi::testoVisibile()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(::testoVisibile(testo), atteso);
}

// The convenience forms pick the button set of their type, and a question
// answered No is the only answer that stops the caller.
void TestMessaggi::combinazioniDeiChiamanti()
{
    RegistroMessaggi registro;
    const Contesto &contesto = contestoDiProva();
    contesto.avviso(QStringLiteral("a"));
    contesto.errore(QStringLiteral("e"));
    contesto.informazione(QStringLiteral("i"));
    registro.rispondi(mrNo);
    QVERIFY(!contesto.conferma(QStringLiteral("c")));
    QVERIFY(contesto.conferma(QStringLiteral("c")));
    contesto.messaggio(QStringLiteral("s"));

    const QList<RichiestaMessaggio> &m = registro.messaggi();
    QCOMPARE(m.size(), 6);
    QCOMPARE(m[0].tipo, TipoMessaggio::Avviso);
    QCOMPARE(m[1].tipo, TipoMessaggio::Errore);
    QCOMPARE(m[2].tipo, TipoMessaggio::Informazione);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(m[i].pulsanti, PulsantiMessaggio::OkAnnulla);
    QCOMPARE(m[3].tipo, TipoMessaggio::Conferma);
    QCOMPARE(m[3].pulsanti, PulsantiMessaggio::SiNo);
    QCOMPARE(m[5].tipo, TipoMessaggio::Semplice);
    QCOMPARE(m[5].pulsanti, PulsantiMessaggio::Ok);
}

QTEST_MAIN(TestMessaggi)
#include "tst_messaggi.moc"
