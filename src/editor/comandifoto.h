#pragma once

#include <QImage>
#include <QString>

#include <optional>

class Contesto;
class QWidget;

// The commands under the editor's scan picture. Each takes the picture on
// screen and returns the one to show afterwards; none shows a message, a
// failure ends with the placeholder.

// Asks for a JPEG or bitmap file and returns its picture, the placeholder
// when the file is not a picture, and nothing when the user cancels: then
// the screen stays exactly as it was. When a file was chosen, jpegOriginale
// (if given) receives its bytes if it is a JPEG and is emptied otherwise; a
// cancel leaves it as it was.
std::optional<QImage> caricaFoto(const Contesto &contesto, QWidget *proprietario, const QImage &segnaposto,
                                 QByteArray *jpegOriginale = nullptr);

// Asks where to save a JPEG copy of the picture and writes it there: the
// picture stays when the user cancels or the copy is written, the
// placeholder takes its place when the write fails. A picture with JPEG
// bytes of its own is copied as those bytes.
QImage salvaCopiaFoto(const Contesto &contesto, QWidget *proprietario, const QImage &attuale, const QImage &segnaposto,
                      const QByteArray &jpegOriginale = QByteArray());

// The file the save dialog's answer names: a bare name gets ".jpg".
QString nomeCopiaFoto(const QString &scelto);
