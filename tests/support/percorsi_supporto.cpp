#include "support/percorsi_supporto.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

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
