// The editor's arrows on an archive, for scripts/bench.sh: the whole window
// set is up, the editor is on the archive and each arrow is clicked many
// times from the middle record. Prints the median microseconds of one click
// for first, last and next. It judges nothing.
//
//   bench_navigazione FILE

#include "app/vistaimmagine.h"
#include "editor/frmdocumenti.h"
#include "startup/finestre.h"
#include "storage/archiviopagine.h"

#include "support/supporto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString percorso = QString::fromLocal8Bit(argv[1]);
    ProgrammaDiProva programma;
    TfrmDocumenti *editor = finestre().frmDocumenti;
    editor->lblNome->setText(QStringLiteral("Bench"));
    editor->lblFile->setText(percorso);
    TArchivioPagine a;
    a.ApriArchivio(percorso);
    const int meta = a.ContaSchede() / 2;
    a.ChiudiArchivio();

    auto misura = [&](const char *comando) {
        auto *c = editor->findChild<VistaImmagine *>(QString::fromLatin1(comando));
        std::vector<double> tempi;
        for (int k = 0; k < 41; ++k) {
            editor->lblPosizione->setText(QString::number(meta));
            QElapsedTimer t;
            t.start();
            emit c->clicked();
            tempi.push_back(double(t.nsecsElapsed()) / 1e3);
        }
        std::sort(tempi.begin(), tempi.end());
        return tempi[tempi.size() / 2];
    };
    std::printf("primo %.1f\nultimo %.1f\navanti %.1f\n", misura("cmdPrimo"), misura("cmdUltimo"),
                misura("cmdAvanti"));
    return 0;
}
