#pragma once

#include <QImage>
#include <QString>

class QWidget;

// The commands under the editor's scan picture. Each takes the picture on
// screen and returns the one to show afterwards; none shows a message, a
// failure ends with the placeholder.

// Asks for a JPEG or bitmap file and returns its picture: the current one
// when the user cancels, the placeholder when the file is not a picture.
QImage caricaFoto(QWidget *proprietario, const QImage &attuale, const QImage &segnaposto);

// Asks where to save a JPEG copy of the picture and writes it there: the
// picture stays when the user cancels or the copy is written, the
// placeholder takes its place when the write fails.
QImage salvaCopiaFoto(QWidget *proprietario, const QImage &attuale, const QImage &segnaposto);

// The file the save dialog's answer names: a bare name gets ".jpg".
QString nomeCopiaFoto(const QString &scelto);
