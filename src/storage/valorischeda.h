#pragma once

#include "storage/schedapagina.h"

#include <QString>

#include <array>

// The three attachment slots of a page: bare file names and their
// descriptions.
struct ValoriAllegati {
    std::array<QString, 3> nomi;
    std::array<QString, 3> descrizioni;

    bool operator==(const ValoriAllegati &altri) const
    {
        return nomi == altri.nomi && descrizioni == altri.descrizioni;
    }
};

// What the editor's screen says about a record, as plain values: the 21
// texts in record order (as typed, not trimmed), the check box and the
// three attachments. The editor hands them to the windows it opens.
struct ValoriScheda {
    std::array<QString, kCampiDescrittivi> testi;
    bool daCompletare = false;
    ValoriAllegati allegati;

    bool operator==(const ValoriScheda &altri) const
    {
        return testi == altri.testi && daCompletare == altri.daCompletare && allegati == altri.allegati;
    }
};
