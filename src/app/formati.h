#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QTime>

// The program's formats: short date day/month/four-digit year joined by
// the system's own date separator, and ',' as decimal separator; the
// reports print with them. The system's locale is read once per process,
// so they stay the same for the whole run.

QChar separatoreDecimale();
QString dataBreve(const QDate &data);
// The system's long time format.
QString oraLunga(const QTime &ora);

// The date separator found in a Qt short date format ('/' if it shows none).
QChar separatoreData(const QString &formatoDiSistema);
