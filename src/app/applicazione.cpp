#include "app/applicazione.h"

#include "app/errori.h"

Applicazione::Applicazione(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool Applicazione::notify(QObject *destinatario, QEvent *evento)
{
    bool risultato = false;
    protetto(m_contesto ? *m_contesto : m_reale, [&] { risultato = QApplication::notify(destinatario, evento); });
    return risultato;
}
