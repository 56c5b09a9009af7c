#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QTime>

// The process-wide formats: short date day/month/four-digit year joined by
// the system's own date separator, and ',' as decimal separator. Windows set
// them when they are created; the reports print with them.
void impostaFormatiProcesso();

QChar separatoreDecimale();
QString dataBreve(const QDate &data);
// The system's long time format.
QString oraLunga(const QTime &ora);

// The date separator found in a Qt short date format ('/' if it shows none).
QChar separatoreData(const QString &formatoDiSistema);
