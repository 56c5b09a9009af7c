#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;
struct DescrizioneCampo;

// The pieces the page editor is drawn with, at their places on its
// 996 x 692 panel: the light blue and white boxes, the name bar, the
// captions and fields, the position, the check box on its orange box and the
// status line.
namespace AspettoDocumenti {

// The design size of the panel and of the scan picture.
inline constexpr int kLarghezzaPannello = 996;
inline constexpr int kAltezzaPannello = 692;
QRect postoFoto();

// The decorative boxes, back to front; moving the pointer over any of them
// empties the status line.
QList<QWidget *> creaSfondi(QWidget *pannello);

QLabel *creaNome(QWidget *pannello);
QLabel *creaPosizione(QWidget *pannello, const QRect &posto);
QLabel *creaDidascalia(QWidget *pannello, const QString &nome, const DescrizioneCampo &d);
QLineEdit *creaCampo(QWidget *pannello, const DescrizioneCampo &d);
// The notes field across the bottom row, with its caption picture.
QLineEdit *creaNote(QWidget *pannello, const DescrizioneCampo &d);
QCheckBox *creaCasella(QWidget *pannello);
QLabel *creaBarraStato(QWidget *pannello, const QString &testo);
QLabel *etichettaNascosta(QWidget *pannello, const QString &nome);

} // namespace AspettoDocumenti
