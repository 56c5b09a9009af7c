// Another program on the same text index, for the tests that need a real
// second process (SQLite's locks are taken between processes):
//   altro_programma tieni INDICE MILLISECONDI
//       takes the index's write lock, writes "preso" on its output, holds
//       the lock that long and lets it go
//   altro_programma leggi CARTELLA ARCHIVIO CONTEGGIO
//       reads the scans of the archive into the index of the program folder
//       CARTELLA on one thread, as the editor's command does, and writes
//       "completa <pages read>" or "ferma <pages read>: <message>"
#include "ocr/indicetesti.h"
#include "ocr/letturaarchivio.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

namespace {

int tieni(const QString &indice, int millisecondi)
{
    int esito = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("altro"));
        db.setDatabaseName(indice);
        QSqlQuery q(db);
        if (!db.open() || !q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            std::fprintf(stderr, "lock not taken: %s\n", qPrintable(q.lastError().text()));
            return 1;
        }
        std::printf("preso\n");
        std::fflush(stdout);
        QThread::msleep(millisecondi);
        if (!db.commit())
            esito = 1;
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("altro"));
    return esito;
}

int leggi(const QString &cartella, const QString &archivio, int conteggio)
{
    IndiceTesti indice(IndiceTesti::percorsoIn(cartella));
    LetturaArchivio lettura(indice, cartella, archivio, conteggio, 1);
    int esito = 1;
    QObject::connect(&lettura, &LetturaArchivio::finita, [&](bool completa, const QString &messaggio) {
        if (completa)
            std::printf("completa %d\n", lettura.lette());
        else
            std::printf("ferma %d: %s\n", lettura.lette(), qPrintable(messaggio));
        esito = completa ? 0 : 1;
        QCoreApplication::quit();
    });
    lettura.avvia();
    QCoreApplication::exec();
    return esito;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.value(1) == QLatin1String("tieni") && a.size() == 4)
        return tieni(a.at(2), a.at(3).toInt());
    if (a.value(1) == QLatin1String("leggi") && a.size() == 5)
        return leggi(a.at(2), a.at(3), a.at(4).toInt());
    std::fprintf(stderr, "uso: altro_programma tieni|leggi ...\n");
    return 2;
}
