#pragma once

#include <QString>

// The reason of a failed system call in the program's language, from its
// errno code. Codes the program does not know keep the system's own text.
QString motivoSistema(int codice);
