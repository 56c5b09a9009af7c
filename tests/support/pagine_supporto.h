#pragma once

#include <QImage>
#include <QStringList>

// A page as a scanner at 300 dpi would give it: black serif lines on white,
// with margins, about 11 points high.
QImage paginaStampata(const QStringList &righe);
