#pragma once

#include <QString>

class QLabel;
class QWidget;

// What a screen reader is told of the windows, through the toolkit's
// accessibility interfaces. Windows present themselves as frames or dialogs
// named by their caption; panels are plain containers; boxes, gradients and
// pictures that only decorate are left out; a picture that says something is
// named by what it says.
namespace Accessibilita {

// Installs, once, the presentation above. Every window does it as it is
// made: windows made before it are not known to assistive technology.
void installa();

// A field and its caption: the caption becomes the field's label (the
// relation a screen reader reads out on reaching the field) and names it.
// The name is `nome` when given, otherwise what the caption says (its text,
// or the name of a caption drawn as a picture) without the closing colon.
void collegaDidascalia(QLabel *didascalia, QWidget *campo, const QString &nome = QString());

// The name a caption gives its field: "Titolo pagina:" names "Titolo pagina".
QString nomeDaDidascalia(const QString &didascalia);

// Marks an element as no part of what a user reaches (a picture or box that
// only decorates, a control that only parks the focus): left out of what
// assistive technology lists, as long as it holds no controls. A name it
// has is still what a screen reader says should the focus land on it.
void decorazione(QWidget *elemento);
// Whether assistive technology leaves the element out: marked as above, or
// a plain box (QWidget, QFrame) or a picture view that is no command, with
// no name and nothing inside.
bool esclusoDaAccessibilita(const QWidget *elemento);

} // namespace Accessibilita
