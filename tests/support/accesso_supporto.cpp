#include "support/accesso_supporto.h"

#include "access/passwordmemorizzata.h"
#include "support/supporto.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

void scriviArchivioPassword(const ProgrammaDiProva &programma, const QString &password)
{
    scriviPasswordMemorizzata(programma.percorso(kFileArchivioPassword), password);
}

bool attendiAttiva(QWidget *finestra)
{
    if (!QTest::qWaitForWindowExposed(finestra))
        return false;
    QApplication::setActiveWindow(finestra);
    return QTest::qWaitForWindowActive(finestra);
}

QString lettere(int n)
{
    QString t;
    for (int i = 0; i < n; ++i)
        t.append(QChar(char16_t(u'A' + i % 26)));
    return t;
}
