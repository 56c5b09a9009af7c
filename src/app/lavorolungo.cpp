#include "app/lavorolungo.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>

namespace {

// Often enough for the windows to follow the work, seldom enough that
// handing over to the event loop costs nothing worth measuring.
constexpr qint64 kGiroMs = 40;

} // namespace

LavoroLungo::LavoroLungo(QWidget *proprietario, QString titolo, QString testo, int totale, int attesaMs)
    : m_proprietario(proprietario)
    , m_titolo(std::move(titolo))
    , m_testo(std::move(testo))
    , m_totale(std::max(1, totale))
    , m_attesaMs(std::max(0, attesaMs))
{
    m_inizio.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_cursore = true;
}

LavoroLungo::~LavoroLungo()
{
    if (m_cursore)
        QApplication::restoreOverrideCursor();
    delete m_finestra;
}

void LavoroLungo::mostra()
{
    m_finestra = new QProgressDialog(m_proprietario);
    m_finestra->setObjectName(QStringLiteral("dlgAvanzamento"));
    m_finestra->setWindowTitle(m_titolo);
    m_finestra->setWindowModality(Qt::ApplicationModal);
    m_finestra->setAutoClose(false);
    m_finestra->setAutoReset(false);
    m_finestra->setMinimumDuration(0);
    m_finestra->setRange(0, m_totale);
    // Wide enough for its title and for the text at its longest.
    m_finestra->setMinimumWidth(420);
    auto *annulla = new QPushButton(QStringLiteral("Annulla"), m_finestra);
    annulla->setObjectName(QStringLiteral("btnAnnulla"));
    m_finestra->setCancelButton(annulla);
    QObject::connect(m_finestra, &QProgressDialog::canceled, m_finestra, [this] { m_annullato = true; });
    // The window takes the pointer from here: "Annulla" must not look busy.
    QApplication::restoreOverrideCursor();
    m_cursore = false;
}

bool LavoroLungo::avanza(int fatti)
{
    if (m_annullato)
        return false;
    const qint64 ora = m_inizio.elapsed();
    // With no wait (tests) the loop runs after every step.
    if (ora - m_ultimoGiro < kGiroMs && m_attesaMs > 0)
        return true;
    m_ultimoGiro = ora;
    if (!m_finestra && ora >= m_attesaMs)
        mostra();
    if (m_finestra) {
        m_finestra->setLabelText(m_testo.arg(std::min(fatti, m_totale)).arg(m_totale));
        m_finestra->setValue(std::min(fatti, m_totale));
        if (!m_finestra->isVisible())
            m_finestra->show();
        // Modal: only the progress window takes input, the others paint.
        QCoreApplication::processEvents();
    } else {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return !m_annullato;
}
