#pragma once

#include <QStringList>

class QWidget;

// The objectNames of the top-level windows now visible, sorted.
QStringList finestreVisibili();

// A full left click in the middle of a picture command or button.
void clicca(QWidget *comando);

// The file names directly in a folder (hidden ones too), sorted.
QStringList contenutoCartella(const QString &cartella);

// Sets a file's or folder's last change that many seconds back.
bool invecchia(const QString &percorso, int secondi);
