#pragma once

#include <QStringList>

// The reference for the result lists' order, on lines as text: code unit by
// code unit with a-z folded onto A-Z, a line that begins another first;
// lines that compare equal keep the order they came in.
void ordinaRighe(QStringList &righe);
