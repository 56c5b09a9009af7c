#pragma once

#include "report/report.h"

#include <QHash>
#include <QImage>
#include <QString>

#include <memory>

// The page sheet "Pagina Documento": one A4 portrait page with the archive
// name, the title in a blue bar, the scan and twenty labelled field boxes.
std::unique_ptr<Report> creaReportDocumento();

// The value text boxes of the sheet in the order they are filled, which is
// the order of the record's fields after the title.
extern const char *const kCaselleDocumento[20];

// What one sheet carries: the archive name, the title, the twenty values by
// the name of their text box (txtCodice, ...) and the picture.
struct ValoriFoglio {
    QString nome;
    QString titolo;
    QHash<QString, QString> campi;
    QImage foto;
};

// Puts the values on the sheet, each trimmed, and the picture in its box;
// the page turns portrait whatever it was. False when the picture could not
// be kept.
bool riempiReportDocumento(Report &report, const ValoriFoglio &valori);
