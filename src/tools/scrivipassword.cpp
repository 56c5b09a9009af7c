// Writes the password store that an installation delivers beside the
// program, with the program's own cipher and store code:
//     velmora_scrivipassword <store file> <password>
// The password is put in its stored form (upper-cased, trimmed) first.

#include "access/passwordmemorizzata.h"

#include <QString>

#include <cstdio>
#include <exception>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <store file> <password>\n", argv[0]);
        return 2;
    }
    const QString percorso = QString::fromLocal8Bit(argv[1]);
    const QString password = formaMemorizzata(QString::fromLocal8Bit(argv[2]));
    try {
        scriviPasswordMemorizzata(percorso, password);
        // Read it back through the program's own reader: a store that would
        // not let anyone in must fail the build, not the first login.
        if (leggiPasswordMemorizzata(percorso) != password) {
            std::fprintf(stderr, "%s: the stored password does not read back\n", argv[1]);
            return 1;
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
