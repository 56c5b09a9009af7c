#include "support/percorsi_supporto.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QWidget>

#include <sys/time.h>

#include <ctime>

QStringList finestreVisibili()
{
    QStringList nomi;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            nomi.append(w->objectName());
    }
    nomi.sort();
    return nomi;
}

void clicca(QWidget *comando)
{
    QVERIFY(comando);
    QTest::mouseClick(comando, Qt::LeftButton, Qt::NoModifier, comando->rect().center());
}

QStringList contenutoCartella(const QString &cartella)
{
    QStringList nomi = QDir(cartella).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    nomi.sort();
    return nomi;
}

bool invecchia(const QString &percorso, int secondi)
{
    const timeval adesso{time(nullptr) - secondi, 0};
    const timeval tempi[2] = {adesso, adesso};
    return ::utimes(QFile::encodeName(percorso).constData(), tempi) == 0;
}
