#include "support/supporto.h"

#include "startup/finestre.h"
#include "startup/startup.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWidget>

Contesto &contestoDiProva()
{
    static Contesto contesto;
    return contesto;
}

RegistroMessaggi::RegistroMessaggi()
{
    contestoDiProva().impostaRispostaMessaggi([this](const RichiestaMessaggio &r) {
        m_messaggi.append(r);
        if (!m_risposte.isEmpty())
            return m_risposte.dequeue();
        return r.pulsanti == PulsantiMessaggio::SiNo ? int(mrSi) : int(mrOk);
    });
}

RegistroMessaggi::~RegistroMessaggi()
{
    contestoDiProva().impostaRispostaMessaggi(nullptr);
}

QStringList RegistroMessaggi::testi() const
{
    QStringList t;
    for (const RichiestaMessaggio &m : m_messaggi)
        t.append(m.testo);
    return t;
}

RispostaFile::RispostaFile()
{
    contestoDiProva().impostaRispostaFile([this](const RichiestaFile &r) {
        m_richieste.append(r);
        return m_risposte.isEmpty() ? QString() : m_risposte.dequeue();
    });
}

RispostaFile::~RispostaFile()
{
    contestoDiProva().impostaRispostaFile(nullptr);
}

namespace {
const char *const kSchemi[] = {"file", "http", "https", "mailto", "ftp"};
}

RegistroAperture::RegistroAperture()
{
    for (const char *s : kSchemi)
        QDesktopServices::setUrlHandler(QString::fromLatin1(s), this, "apri");
}

RegistroAperture::~RegistroAperture()
{
    for (const char *s : kSchemi)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(s));
}

ProgrammaDiProva::ProgrammaDiProva()
{
    // The program folder sits one level down so that its parent is private
    // too: tests that check nothing lands next to the program folder must
    // not see the files of tests running beside them in the shared /tmp.
    QDir(m_dir.path()).mkdir(QStringLiteral("programma"));
    contestoDiProva().impostaCartellaProgramma(cartella());
    contestoDiProva().impostaTerminazione([this] { ++m_terminazioni; });
    createWindows(contestoDiProva());
}

ProgrammaDiProva::~ProgrammaDiProva()
{
    chiudiModali();
    destroyWindows();
    contestoDiProva().impostaTerminazione(nullptr);
}

QString ProgrammaDiProva::cartella() const
{
    return QDir(m_dir.path()).absolutePath() + QStringLiteral("/programma/");
}

namespace {
bool g_modaleMancata = false;
}

bool modaleMancata()
{
    return g_modaleMancata;
}

void azzeraModaleMancata()
{
    g_modaleMancata = false;
}

void chiudiModali()
{
    for (int i = 0; i < 10; ++i) {
        QWidget *m = QApplication::activeModalWidget();
        if (!m)
            return;
        if (auto *d = qobject_cast<QDialog *>(m))
            d->done(QDialog::Rejected);
        else
            m->close();
        QApplication::processEvents();
    }
}

void allaProssimaModale(std::function<void(QWidget *)> azione, int attesaMs)
{
    QPointer<QWidget> prima = QApplication::activeModalWidget();
    auto *timer = new QTimer(qApp);
    auto orologio = std::make_shared<QElapsedTimer>();
    orologio->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [=]() {
        QWidget *m = QApplication::activeModalWidget();
        if (m && m != prima.data() && m->isVisible()) {
            timer->stop();
            timer->deleteLater();
            // A check that fails inside the action leaves the dialog open,
            // and the action may itself be blocked in a nested dialog: close
            // it after a while, whatever the action is doing, so the test
            // goes on and reports.
            QPointer<QWidget> questa = m;
            QTimer::singleShot(attesaMs, qApp, [questa]() {
                if (questa && questa->isVisible()) {
                    g_modaleMancata = true;
                    if (auto *d = qobject_cast<QDialog *>(questa.data()))
                        d->done(QDialog::Rejected);
                    else
                        questa->close();
                }
            });
            azione(m);
            return;
        }
        if (orologio->elapsed() > attesaMs) {
            timer->stop();
            timer->deleteLater();
            g_modaleMancata = true;
            chiudiModali();
        }
    });
    timer->start();
}

bool scriviFile(const QString &percorso, const QByteArray &contenuto)
{
    QDir().mkpath(QFileInfo(percorso).absolutePath());
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(contenuto) == contenuto.size();
}

QByteArray leggiFile(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}
