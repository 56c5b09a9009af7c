#include "support/avanzamento_supporto.h"

#include "support/supporto.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

AnnullaAvanzamento::AnnullaAvanzamento()
{
    contestoDiProva().impostaAttesaLavoroLungo(0);
    qApp->installEventFilter(this);
}

AnnullaAvanzamento::~AnnullaAvanzamento()
{
    qApp->removeEventFilter(this);
    contestoDiProva().impostaAttesaLavoroLungo(500);
}

bool AnnullaAvanzamento::eventFilter(QObject *oggetto, QEvent *evento)
{
    auto *finestra = qobject_cast<QProgressDialog *>(oggetto);
    if (finestra && evento->type() == QEvent::Show) {
        ++m_comparse;
        m_titolo = finestra->windowTitle();
        m_modale = finestra->isModal();
        if (auto *etichetta = finestra->findChild<QLabel *>())
            m_testo = etichetta->text();
        if (auto *annulla = finestra->findChild<QPushButton *>()) {
            m_pulsante = annulla->text();
            QMetaObject::invokeMethod(annulla, &QPushButton::click, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(oggetto, evento);
}
