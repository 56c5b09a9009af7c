#include "storage/filepdf.h"

#include "storage/sostituzionefile.h"

#include <QIODevice>
#include <QPdfWriter>

bool sostituisciPdf(const QString &percorso, const std::function<bool(QPdfWriter &)> &disegna, QString *motivo)
{
    bool vuoto = false;
    const bool scritto = sostituisciFile(
        percorso,
        [&](QIODevice &file) {
            bool dipinto;
            {
                // The writer puts the file's tail down when its painter
                // ends; it must be gone before the file is judged.
                QPdfWriter scrittore(&file);
                dipinto = disegna(scrittore);
            }
            vuoto = file.pos() == 0;
            return dipinto && !vuoto;
        },
        motivo);
    if (!scritto && vuoto && motivo)
        *motivo = QStringLiteral("%1: nessuna pagina è stata scritta").arg(percorso);
    return scritto;
}
