#pragma once

#include "app/finestra.h"
#include "home/testiguida.h"

class Contesto;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Help: one topic, a title above its paragraphs, and the link to the
// manual. Each opener says which topic through apriGuida.
class TfrmGuida : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmGuida(const Contesto &contesto, QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    // Shows a topic: the title and the paragraphs joined.
    void mostraArgomento(const QString &titolo, const QString &testo);
    // The text as the opener set it, paragraph breaks included.
    QString testo() const { return m_testo; }

    QLabel *lblTitolo = nullptr;
    QPlainTextEdit *txtGuida = nullptr;
    QLabel *imgPDF = nullptr;
    QLabel *lnkWeb = nullptr;
    QPushButton *btnChiudi = nullptr;

private:
    QString m_testo;
};

// The help command of a window: a fresh help window owned by it, with its
// topic, shown modally and discarded when it closes.
void apriGuida(const Contesto &contesto, QWidget *proprietario, ArgomentoGuida argomento);

// The manual in the program folder, as the help window's link hands it to
// the desktop.
QString percorsoManuale(const QString &cartellaProgramma);
