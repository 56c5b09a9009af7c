#pragma once

#include "app/finestra.h"
#include "storage/schedapagina.h"

class QLabel;

// The page editor. It holds the current archive for the whole program:
// lblNome (archive name), lblFile (full path of the archive file, hidden)
// and lblPosizione (position of the record on screen; empty for a new one).
// Other windows read and write these labels and call MostraScheda.
class TfrmDocumenti : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmDocumenti(QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

    // Puts a stored record and its position on screen and loads its scan.
    void MostraScheda(const TSchedaPagina &scheda, int posizione);
    // Clears the screen for a new record.
    void PulisciScheda();

    QLabel *lblNome = nullptr;
    QLabel *lblFile = nullptr;
    QLabel *lblPosizione = nullptr;

protected:
    void FormShow() override;
    void FormClose() override;
};
